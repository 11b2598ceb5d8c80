#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/FileList.h"
#include "core/FolderScan.h"
#include "templates/FileViewColumns.h"
#include "ui/controls/ListView.h"
#include "ui/dialogs/Dialog.h"

// The STEP 1 group of the main window: how paths enter the file list, the
// file view shown through the name filter, and the commands that reorder,
// select and remove rows.
class CFileListPanel {
public:
    struct Callbacks {
        std::function<void(const std::wstring& path)> rowSelected;  // a row became selected and focused
        std::function<void()> selectionCleared;                      // no row is selected any more
        std::function<int()> themeIndex;
    };

    CFileListPanel(CDialog& dialog, FileList& files, std::wstring& lastFolder, Callbacks callbacks);

    // Registers the panel's handlers; call once the dialog's controls exist.
    void Attach();

    void AddPath(const std::wstring& path) { files_.AddPath(path); }
    void RebuildFileView();
    void RefreshFileListColumns();
    void UpdateStepOneCaption();

    // The scan options as the check boxes show them now.
    ScanOptions CurrentScanOptions() const;
    void ScanFolder(const std::wstring& pattern);

    // Adds a folder the user chose, then everything the scan options take from it.
    void AddChosenFolder(const std::wstring& folder);
    void AddDroppedItems(HDROP drop);

    CListView View() const { return CListView(dialog_.Item(kFileViewId).Handle()); }
    // The path of the row at the selection mark, or empty.
    std::wstring SelectionMarkPath() const;

    // Commands.
    void OnAddFiles();
    void OnAddFolder();
    void OnMove(bool up);
    void OnSelectAll();
    void OnInvertSelection();
    void OnRemove();
    void OnEmpty();

private:
    static constexpr int kFileViewId = 1015;

    LRESULT OnItemChanged(const NMLISTVIEW& change);
    LRESULT OnGetDisplayInfo(NMLVDISPINFOW& info);
    // Shows rowColumns_ afresh: no row selected, no selection mark.
    void ResetRows();
    void DisableUndo() const;
    bool Checked(int id) const { return dialog_.Item(id).GetCheck() == BST_CHECKED; }

    CDialog& dialog_;
    FileList& files_;
    std::wstring& lastFolder_;
    Callbacks callbacks_;
    size_t shownCount_ = static_cast<size_t>(-1);  // the count the caption shows

    // The rows of the view, in view order. The view is virtual: it asks for
    // each text it shows, so a rebuild fills no control rows, and the time
    // and attribute columns are read the first time a row is shown rather
    // than for every row at every keystroke in the filter box.
    struct RowColumns {
        std::wstring path;
        std::optional<FileViewTexts> texts;
        bool stale = false;  // to be read again, keeping the times if they cannot be
    };
    std::vector<RowColumns> rowColumns_;
    bool ignoreStateChanges_ = false;  // while the panel itself resets the selection
};
