#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/dialogs/Window.h"

// Thin wrapper of a report-style list view; text crosses as std::wstring.
// The file view is virtual (its parent supplies every text), so nothing here
// stores rows or texts in the control.
class CListView : public CWindow {
public:
    CListView() = default;
    CListView(HWND hwnd) : CWindow(hwnd) {}

    int RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

    std::wstring Text(int row, int column) const
    {
        // The list view gives no length; grow until the text fits.
        std::wstring buffer(MAX_PATH, L'\0');
        for (;;) {
            LVITEMW item = {};
            item.iSubItem = column;
            item.pszText = buffer.data();
            item.cchTextMax = static_cast<int>(buffer.size());
            const int length = static_cast<int>(Send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
            if (length < static_cast<int>(buffer.size()) - 1) {
                buffer.resize(static_cast<size_t>(length));
                return buffer;
            }
            buffer.assign(buffer.size() * 2, L'\0');
        }
    }

    UINT State(int row, UINT mask) const { return static_cast<UINT>(Send(LVM_GETITEMSTATE, row, mask)); }
    bool IsSelected(int row) const { return State(row, LVIS_SELECTED) != 0; }
    // Row -1 sets the state of every row.
    void SetState(int row, UINT state, UINT mask) const
    {
        LVITEMW item = {};
        item.stateMask = mask;
        item.state = state;
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
    void SetSelected(int row, bool selected) const
    {
        SetState(row, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    int SelectedCount() const { return static_cast<int>(Send(LVM_GETSELECTEDCOUNT)); }
    int NextSelected(int after) const
    {
        return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(after), LVNI_SELECTED));
    }
    int SelectionMark() const { return static_cast<int>(Send(LVM_GETSELECTIONMARK)); }
    void SetSelectionMark(int row) const { Send(LVM_SETSELECTIONMARK, 0, row); }
};
