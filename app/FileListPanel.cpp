#include "app/FileListPanel.h"

#include <shellapi.h>

#include <array>
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
    const auto caption = [this](NMHDR*) -> LRESULT {
        UpdateStepOneCaption();
        return 0;
    };
    dialog_.OnNotify(kFileViewId, LVN_INSERTITEM, caption);
    dialog_.OnNotify(kFileViewId, LVN_DELETEITEM, caption);
    // Deleting every row at once: one notification instead of one per row.
    dialog_.OnNotify(kFileViewId, LVN_DELETEALLITEMS, [this](NMHDR*) -> LRESULT {
        UpdateStepOneCaption();
        return TRUE;
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

void CFileListPanel::FillColumns(int row, const std::wstring& path) const
{
    const CListView view = View();
    const FileViewTexts texts = ReadFileViewTexts(path);
    if (texts.timesRead) {
        view.SetText(row, 1, texts.created);
        view.SetText(row, 2, texts.modified);
        view.SetText(row, 3, texts.accessed);
    }
    view.SetText(row, 4, texts.attributes);
}

void CFileListPanel::RebuildFileView()
{
    WaitCursor wait;
    const NameFilter filter(dialog_.Item(IDC_FILTER_TEXT).Text(), Checked(IDC_FILTER_CASE),
                            Checked(IDC_FILTER_EXCLUDE));
    const CListView view = View();
    view.SetRedraw(false);
    view.DeleteAllRows();
    view.Send(LVM_SETITEMCOUNT, files_.Count(), LVSICF_NOINVALIDATEALL);
    int row = 0;
    files_.ForEach([&](const std::wstring& path) {
        if (!filter.Shows(path))
            return;
        const int inserted = view.InsertRow(row, path);
        if (inserted >= 0) {
            FillColumns(inserted, path);
            ++row;
        }
    });
    view.SetRedraw(true);
    DisableUndo();
}

void CFileListPanel::RefreshFileListColumns()
{
    const CListView view = View();
    std::wstring lastSelected;
    view.SetRedraw(false);
    for (int row = 0; row < view.RowCount(); ++row) {
        const std::wstring path = view.Text(row, 0);
        FillColumns(row, path);
        if (view.IsSelected(row))
            lastSelected = path;
    }
    view.SetRedraw(true);
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

    std::array<std::wstring, 5> texts;
    for (int column = 0; column < 5; ++column)
        texts[column] = view.Text(mark, column);
    view.DeleteRow(mark);
    const int target = up ? mark - 1 : mark + 1;
    const int row = view.InsertRow(target, texts[0]);
    for (int column = 1; column < 5; ++column)
        view.SetText(row, column, texts[column]);
    view.SetSelected(row, true);
    view.SetSelectionMark(row);
}

void CFileListPanel::OnSelectAll()
{
    View().SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
}

void CFileListPanel::OnInvertSelection()
{
    const CListView view = View();
    view.SetRedraw(false);
    for (int row = 0; row < view.RowCount(); ++row)
        view.SetSelected(row, !view.IsSelected(row));
    view.SetRedraw(true);
}

void CFileListPanel::OnRemove()
{
    const CListView view = View();
    if (view.RowCount() == 0) {
        ShowMessage(dialog_.Handle(), L"There's no files in the file list to remove yet.",
                    callbacks_.themeIndex ? callbacks_.themeIndex() : 11);
        return;
    }
    view.SetRedraw(false);
    for (int row = view.RowCount() - 1; row >= 0; --row) {
        if (!view.IsSelected(row))
            continue;
        files_.Remove(view.Text(row, 0));
        view.DeleteRow(row);
    }
    view.SetRedraw(true);
    DisableUndo();
}

void CFileListPanel::OnEmpty()
{
    files_.Clear();
    View().DeleteAllRows();
    UpdateStepOneCaption();
    if (callbacks_.selectionCleared)
        callbacks_.selectionCleared();
    DisableUndo();
}

LRESULT CFileListPanel::OnItemChanged(const NMLISTVIEW& change)
{
    if (!(change.uChanged & LVIF_STATE))
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
