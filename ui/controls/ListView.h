#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/dialogs/Window.h"

// Thin wrapper of a report-style list view; text crosses as std::wstring.
class CListView : public CWindow {
public:
    CListView() = default;
    CListView(HWND hwnd) : CWindow(hwnd) {}

    int RowCount() const { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

    // Appends a row (or inserts it at `row`) with the text of column 0;
    // returns its index or -1.
    int InsertRow(int row, const std::wstring& text, LPARAM data = 0) const
    {
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        item.lParam = data;
        return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    LPARAM Data(int row) const
    {
        LVITEMW item = {};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return item.lParam;
    }
    // The view asks its parent for this cell's text (LVN_GETDISPINFO) each
    // time it needs it.
    void SetTextCallback(int row, int column) const
    {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = LPSTR_TEXTCALLBACKW;
        Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
    void SetText(int row, int column, const std::wstring& text) const
    {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = const_cast<wchar_t*>(text.c_str());
        Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }
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
    bool DeleteRow(int row) const { return Send(LVM_DELETEITEM, row) != FALSE; }
    void DeleteAllRows() const { Send(LVM_DELETEALLITEMS); }

    UINT State(int row, UINT mask) const { return static_cast<UINT>(Send(LVM_GETITEMSTATE, row, mask)); }
    bool IsSelected(int row) const { return State(row, LVIS_SELECTED) != 0; }
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

    // Stops repainting while many rows change; the view repaints once at the end.
    void SetRedraw(bool redraw) const
    {
        Send(WM_SETREDRAW, redraw ? TRUE : FALSE);
        if (redraw)
            ::InvalidateRect(Handle(), nullptr, TRUE);
    }
};
