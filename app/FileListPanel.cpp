#include "app/FileListPanel.h"

#include <shellapi.h>

#include <utility>

#include "core/ChosenPath.h"
#include "core/NameFilter.h"
#include "resource.h"
#include "support/ErrorLog.h"
#include "templates/FileViewColumns.h"
#include "ui/controls/WaitCursor.h"
#include "ui/dialogs/FileDialogs.h"
#include "ui/dialogs/MessageDialog.h"

CFileListPanel::CFileListPanel(CDialog& dialog, FileList& files, std::wstring& lastFolder, Callbacks callbacks)
    : dialog_(dialog), files_(files), lastFolder_(lastFolder), callbacks_(std::move(callbacks))
{
}

void CFileListPanel::Attach()
{
    dialog_.OnCommand(IDC_ADD_FILES, BN_CLICKED, [this] { OnAddFiles(); });
    dialog_.OnCommand(IDC_ADD_FOLDER, BN_CLICKED, [this] { OnAddFolder(); });
    dialog_.OnCommand(IDC_MOVE_UP, BN_CLICKED, [this] { OnMove(true); });
    dialog_.OnCommand(IDC_MOVE_DOWN, BN_CLICKED, [this] { OnMove(false); });
    dialog_.OnCommand(IDC_SELECT_ALL, BN_CLICKED, [this] { OnSelectAll(); });
    dialog_.OnCommand(IDC_INVERT_SELECTION, BN_CLICKED, [this] { OnInvertSelection(); });
    dialog_.OnCommand(IDC_REMOVE, BN_CLICKED, [this] { OnRemove(); });
    dialog_.OnCommand(IDC_EMPTY_LIST, BN_CLICKED, [this] { OnEmpty(); });
    dialog_.OnCommand(IDC_FILTER_TEXT, EN_CHANGE, [this] { RebuildFileView(); });

    dialog_.OnNotify(kFileViewId, LVN_ITEMCHANGED, [this](NMHDR* header) {
        return OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
    });
    dialog_.OnNotify(kFileViewId, LVN_GETDISPINFOW, [this](NMHDR* header) {
        return OnGetDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(header));
    });
    // A range of rows changing state at once (shift-click) is one notification.
    dialog_.OnNotify(kFileViewId, LVN_ODSTATECHANGED, [this](NMHDR*) -> LRESULT {
        NMLISTVIEW change = {};
        change.iItem = -1;
        change.uChanged = LVIF_STATE;
        return OnItemChanged(change);
    });
}

ScanOptions CFileListPanel::CurrentScanOptions() const
{
    ScanOptions options;
    options.includeSubDir = Checked(IDC_INCLUDE_SUBDIR);
    options.includeDir = Checked(IDC_INCLUDE_DIR);
    options.dirOnly = Checked(IDC_DIR_ONLY);
    return options;
}

void CFileListPanel::ScanFolder(const std::wstring& pattern)
{
    ::ScanFolder(pattern, [this] { return CurrentScanOptions(); },
                 [this](const std::wstring& path) { files_.AddPath(path); });
}

void CFileListPanel::ResetRows()
{
    // The view holds no rows of its own: it shows rowColumns_ by index.
    const CListView view = View();
    ignoreStateChanges_ = true;
    view.SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    view.SetSelectionMark(-1);
    view.Send(LVM_SETITEMCOUNT, rowColumns_.size(), 0);
    ignoreStateChanges_ = false;
    ::InvalidateRect(view, nullptr, TRUE);
    UpdateStepOneCaption();
}

LRESULT CFileListPanel::OnGetDisplayInfo(NMLVDISPINFOW& info)
{
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || item.iSubItem < 0 || item.iSubItem > 4 || item.cchTextMax <= 0)
        return 0;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rowColumns_.size()) {
        item.pszText[0] = L'\0';
        return 0;
    }
    RowColumns& row = rowColumns_[static_cast<size_t>(item.iItem)];
    if (item.iSubItem == 0) {
        const size_t copied = row.path.copy(item.pszText, static_cast<size_t>(item.cchTextMax) - 1);
        item.pszText[copied] = L'\0';
        return 0;
    }
    if (!row.texts || row.stale) {
        FileViewTexts texts = ReadFileViewTexts(row.path);
        if (!texts.timesRead && row.texts) {
            // Times that cannot be read now keep what the row showed.
            texts.created = row.texts->created;
            texts.modified = row.texts->modified;
            texts.accessed = row.texts->accessed;
        }
        row.texts = std::move(texts);
        row.stale = false;
    }
    const FileViewTexts& texts = *row.texts;
    const std::wstring& text = item.iSubItem == 1   ? texts.created
                               : item.iSubItem == 2 ? texts.modified
                               : item.iSubItem == 3 ? texts.accessed
                                                    : texts.attributes;
    const size_t copied = text.copy(item.pszText, static_cast<size_t>(item.cchTextMax) - 1);
    item.pszText[copied] = L'\0';
    return 0;
}

void CFileListPanel::RebuildFileView()
{
    WaitCursor wait;
    const NameFilter filter(dialog_.Item(IDC_FILTER_TEXT).Text(), Checked(IDC_FILTER_CASE),
                            Checked(IDC_FILTER_EXCLUDE));
    rowColumns_.clear();
    files_.ForEach([&](const std::wstring& path) {
        if (filter.Shows(path))
            rowColumns_.push_back(RowColumns{path, std::nullopt, false});
    });
    ResetRows();
    DisableUndo();
}

void CFileListPanel::RefreshFileListColumns()
{
    const CListView view = View();
    for (RowColumns& row : rowColumns_)
        row.stale = true;
    ::InvalidateRect(view, nullptr, FALSE);
    std::wstring lastSelected;
    for (int row = view.NextSelected(-1); row >= 0; row = view.NextSelected(row))
        lastSelected = view.Text(row, 0);
    // Loading is the same for every selected row; the last one is what stays.
    if (!lastSelected.empty() && callbacks_.rowSelected)
        callbacks_.rowSelected(lastSelected);
}

void CFileListPanel::UpdateStepOneCaption()
{
    const size_t count = files_.Count();
    if (count == shownCount_)
        return;
    shownCount_ = count;
    if (count == 0) {
        dialog_.Item(IDC_STEP1_GROUP)
            .SetText(L"STEP 1: Add files - You can use the following buttons to add files, or drag files from other window.");
        return;
    }
    dialog_.Item(IDC_STEP1_GROUP)
        .SetText(L"STEP 1: Add files - " + std::to_wstring(count) +
                 L" files added in file list, you can select property category and edit the proterties of these files in STEP 2 now.");
}

std::wstring CFileListPanel::SelectionMarkPath() const
{
    const CListView view = View();
    const int mark = view.SelectionMark();
    if (mark < 0 || mark >= view.RowCount())
        return {};
    return view.Text(mark, 0);
}

void CFileListPanel::OnAddFiles()
{
    std::vector<std::wstring> chosen;
    DWORD error = 0;
    if (!ChooseFilesToAdd(dialog_.Handle(), lastFolder_, chosen, error)) {
        if (error != 0)
            LogError(L"(Add files) CFileDialog returns error: 0x%08X.", error);
        return;
    }
    WaitCursor wait;
    for (const std::wstring& raw : chosen) {
        const std::wstring path = RepairChosenPath(raw);
        lastFolder_ = FolderOfPath(path);
        files_.AddPath(path);
    }
    RebuildFileView();
}

void CFileListPanel::OnAddFolder()
{
    std::wstring folder = lastFolder_;
    if (!BrowseForFolder(folder, L"", nullptr))
        return;
    AddChosenFolder(folder);
}

void CFileListPanel::AddChosenFolder(const std::wstring& folder)
{
    lastFolder_ = folder;
    files_.AddPath(folder);  // the folder itself is always an entry
    if (lastFolder_.empty() || lastFolder_.back() != L'\\')
        lastFolder_ += L'\\';
    {
        WaitCursor wait;
        ScanFolder(lastFolder_ + L"*.*");
    }
    RebuildFileView();
}

void CFileListPanel::AddDroppedItems(HDROP drop)
{
    if (drop == nullptr) {
        LogError(L"OnDropFiles: hDropInfo is NULL.");
        return;
    }
    {
        WaitCursor wait;
        const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            wchar_t path[MAX_PATH] = {};
            if (::DragQueryFileW(drop, i, path, MAX_PATH) == 0)
                continue;
            files_.AddPath(path);
            const DWORD attributes = ::GetFileAttributesW(path);
            if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
                ScanFolder(std::wstring(path) + L"\\*.*");
        }
        RebuildFileView();
    }
    ::DragFinish(drop);
}

void CFileListPanel::OnMove(bool up)
{
    const CListView view = View();
    const int mark = view.SelectionMark();
    if (mark < 0 || mark >= view.RowCount())
        return;
    if ((up && mark == 0) || (!up && mark == view.RowCount() - 1))
        return;

    // The row changes place with its neighbour, keeping its texts; the
    // neighbour keeps its selection state, the moved row is selected.
    const int target = up ? mark - 1 : mark + 1;
    const bool neighbourSelected = view.IsSelected(target);
    std::swap(rowColumns_[static_cast<size_t>(mark)], rowColumns_[static_cast<size_t>(target)]);
    view.SetSelected(target, true);
    view.SetSelectionMark(target);
    view.SetSelected(mark, neighbourSelected);
    view.Send(LVM_REDRAWITEMS, std::min(mark, target), std::max(mark, target));
}

void CFileListPanel::OnSelectAll()
{
    View().SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CFileListPanel::OnInvertSelection()
{
    const CListView view = View();
    for (int row = 0; row < view.RowCount(); ++row)
        view.SetSelected(row, !view.IsSelected(row));
}

void CFileListPanel::OnRemove()
{
    const CListView view = View();
    if (view.RowCount() == 0) {
        ShowMessage(dialog_.Handle(), L"There's no files in the file list to remove yet.",
                    callbacks_.themeIndex ? callbacks_.themeIndex() : 11);
        return;
    }
    for (int row = view.RowCount() - 1; row >= 0; --row) {
        if (!view.IsSelected(row))
            continue;
        files_.Remove(rowColumns_[static_cast<size_t>(row)].path);
        rowColumns_.erase(rowColumns_.begin() + row);
    }
    ResetRows();
    DisableUndo();
}

void CFileListPanel::OnEmpty()
{
    files_.Clear();
    rowColumns_.clear();
    ResetRows();
    if (callbacks_.selectionCleared)
        callbacks_.selectionCleared();
    DisableUndo();
}

LRESULT CFileListPanel::OnItemChanged(const NMLISTVIEW& change)
{
    if (!(change.uChanged & LVIF_STATE) || ignoreStateChanges_)
        return 0;
    const UINT focusedSelected = LVIS_SELECTED | LVIS_FOCUSED;
    const CListView view = View();
    if ((change.uNewState & focusedSelected) != focusedSelected) {
        if (view.RowCount() > 0 && view.SelectionMark() >= 0 && view.SelectedCount() > 0)
            return 0;
        if (callbacks_.selectionCleared)
            callbacks_.selectionCleared();
        return 0;
    }
    // A row just became the selected and focused one.
    if ((change.uOldState & focusedSelected) == focusedSelected)
        return 0;
    if (change.iItem >= 0 && static_cast<size_t>(change.iItem) < files_.Count() && callbacks_.rowSelected)
        callbacks_.rowSelected(view.Text(change.iItem, 0));
    return 0;
}

void CFileListPanel::DisableUndo() const
{
    dialog_.Item(IDC_UNDO_CHANGES).Enable(false);
}
