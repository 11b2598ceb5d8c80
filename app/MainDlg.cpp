#include "app/MainDlg.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "app/CommandLine.h"
#include "app/SettingsFile.h"
#include "resource.h"
#include "support/DataFolder.h"
#include "support/VersionInfo.h"

namespace {

struct ButtonArt {
    int controlId;
    int iconId;
    int iconSize;
    bool iconAboveText;
    const wchar_t* tooltip;
};

constexpr ButtonArt kButtonArt[] = {
    {IDC_ADD_FOLDER, IDI_ADD_FOLDER, 16, false, L"Browse folders to add files and folders to the list."},
    {IDC_ADD_FILES, IDI_ADD_FILES, 16, false, L"Browse files and add files to the list."},
    {IDC_MOVE_UP, IDI_MOVE_UP, 16, false, L"Move the selected file or folder up, so that it will be processed earlier."},
    {IDC_MOVE_DOWN, IDI_MOVE_DOWN, 16, false, L"Move the selected file or folder down, so that it will be processed later."},
    {IDC_APPLY_CHANGES, IDI_APP, 24, true, L"Start applying the property template to all the files in the list."},
    {IDC_UNDO_CHANGES, IDI_UNDO, 24, true, L"Roll back the property changes of the files and folders to their original values."},
    {IDC_SELECT_ALL, IDI_SELECT_ALL, 16, false, L"Select all items in the list."},
    {IDC_INVERT_SELECTION, IDI_INVERT_SELECTION, 16, false, L"Invert the selections."},
    {IDC_REMOVE, IDI_REMOVE, 16, false, L"Remove the selected file or folder from the list."},
    {IDC_EMPTY_LIST, IDI_EMPTY_LIST, 16, false, L"Empty the file list."},
    {IDC_EXPORT, IDI_EXPORT, 16, false, L"Export file properties to XML or CSV file"},
    {IDC_ADD_PROPERTY, IDI_ADD_PROPERTY, 16, false, L"Add new file property to the list"},
    {IDC_REMOVE_PROPERTY, IDI_REMOVE_PROPERTY, 16, false, L"Remove selected file property from the list"},
    {IDC_CONVERT_TO_BYTES, 0, 0, false, L"Convert the entered plain text above into the binary format, to set \"Byte\" type property"},
};

struct FileViewColumn {
    const wchar_t* title;
    int width;
};

constexpr FileViewColumn kFileViewColumns[] = {
    {L"File name", 280}, {L"Create time", 118}, {L"Modify time", 118},
    {L"Access time", 118}, {L"Attribute", 90},
};

// Which dialog item each layout item is; 0 for windows that do not exist yet.
constexpr int kLayoutControl[] = {
    IDC_TIME_PICKER, IDC_DATE_PICKER, IDC_COMMAND_COMBO, IDC_ADD_VARIABLE, IDC_RESULT_LOG,
    IDC_VALUE_EDITOR, IDC_CONVERT_TO_BYTES, IDC_BYTE_PREVIEW_LABEL, IDC_BYTE_PREVIEW,
    IDC_PREVIEW_GROUP, IDC_MEDIA_PREVIEW, 0 /* preview control */, IDC_QUICK_VIEW_TEXT,
    IDC_FILE_VIEW, IDC_STEP1_GROUP, IDC_STEP2_GROUP, IDC_STEP3_GROUP, IDC_HELP_LINE,
    0 /* progress bar */, IDC_STEP1_LINE,
};
static_assert(std::size(kLayoutControl) == static_cast<size_t>(LayoutItem::Count));

LayoutRect ToLayoutRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
RECT ToRect(const LayoutRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

CMainDlg::CMainDlg(std::wstring commandLine)
    : CDialog(IDD_MAIN),
      commandLine_(std::move(commandLine)),
      dataFolder_(GetDataFolder()),
      largeIcon_(LoadIconResource(IDI_APP, 64)),
      smallIcon_(LoadIconResource(IDI_APP, 32)),
      fileListPanel_(*this, fileList_, lastFolder_,
                     CFileListPanel::Callbacks{
                         [this](const std::wstring& path) { OnFileRowSelected(path); },
                         [this] { OnFileSelectionCleared(); },
                         [this] { return themeIndex_; },
                     }),
      templatePanel_(*this, template_, [this] { return fileListPanel_.SelectionMarkPath(); }),
      batchPanel_(*this, fileListPanel_,
                  CBatchPanel::Context{
                      template_, originalValues_, processedFiles_,
                      [this] { return SelectedCategory(); },
                      [this] { return themeIndex_; },
                  })
{
}

CMainDlg::~CMainDlg() = default;

BOOL CMainDlg::OnInitDialog()
{
    escapeFilter_.Install(Handle());

    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.Get()));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
    SetText(NIMBREL_WIDEN(NIMBREL_PRODUCT_NAME) L" " NIMBREL_WIDEN(NIMBREL_DISPLAY_VERSION_TEXT));
    ::DragAcceptFiles(Handle(), TRUE);
    CreateFolderPath(dataFolder_);
    LoadSettings();

    InsertFileViewColumns();
    SetButtonImages();
    FillCategoryList();
    fileListPanel_.Attach();
    templatePanel_.Attach();
    batchPanel_.Attach();
    PlaceInitialWindow();
    ApplyQuickViewLayout();
    AddCommandLinePaths();
    return TRUE;
}

void CMainDlg::InsertFileViewColumns()
{
    const CWindow view = Item(IDC_FILE_VIEW);
    for (int i = 0; i < static_cast<int>(std::size(kFileViewColumns)); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = kFileViewColumns[i].width;
        column.pszText = const_cast<wchar_t*>(kFileViewColumns[i].title);
        column.iSubItem = i;
        view.Send(LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    const DWORD extended = LVS_EX_INFOTIP | LVS_EX_FULLROWSELECT;
    view.Send(LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
}

void CMainDlg::SetButtonImages()
{
    toolTips_.Create(Handle());
    for (const ButtonArt& art : kButtonArt) {
        const CWindow button = Item(art.controlId);
        if (art.iconId != 0) {
            UniqueIcon icon = LoadIconResource(art.iconId, art.iconSize);
            if (art.iconAboveText) {
                // A text button shows an image through an image list, which
                // also lets the icon stand above the caption.
                UniqueImageList list(ImageList_Create(art.iconSize, art.iconSize,
                                                      ILC_COLOR32 | ILC_MASK, 1, 0));
                ImageList_AddIcon(list.Get(), icon.Get());
                BUTTON_IMAGELIST images = {};
                images.himl = list.Get();
                images.uAlign = BUTTON_IMAGELIST_ALIGN_TOP;
                button.Send(BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
                buttonImageLists_.push_back(std::move(list));
            } else {
                button.Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon.Get()));
            }
            buttonIcons_.push_back(std::move(icon));
        }
        toolTips_.SetText(button, art.tooltip);
    }
}

void CMainDlg::FillCategoryList()
{
    const CWindow list = Item(IDC_CATEGORY_LIST);
    for (std::wstring_view text : kCategoryTexts)
        list.Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::wstring(text).c_str()));
}

void CMainDlg::PlaceInitialWindow()
{
    // The system raises a size below the minimum tracking size, but not for
    // every move; raise it here too so the first layout sees the real size.
    // A size beyond the screens (a damaged settings file) would leave the
    // window out of reach, so it is held to them.
    const int screenWidth = std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), kMinTrackWidth);
    const int screenHeight = std::max(::GetSystemMetrics(SM_CYVIRTUALSCREEN), kMinTrackHeight);
    const int width = std::clamp(windowWidth_, kMinTrackWidth, screenWidth);
    const int height = std::clamp(windowHeight_, kMinTrackHeight, screenHeight);
    ::MoveWindow(Handle(), 0, 0, width, height, FALSE);

    const RECT window = WindowRect();
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + ((work.right - work.left) - (window.right - window.left)) / 2;
    const int top = work.top + ((work.bottom - work.top) - (window.bottom - window.top)) / 2;
    ::SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    const RECT client = ClientRect();
    Post(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

void CMainDlg::AddCommandLinePaths()
{
    const std::vector<std::wstring> paths = SplitCommandLinePaths(commandLine_);
    if (paths.empty())
        return;
    for (const std::wstring& path : paths)
        AddPath(path);
    RebuildFileView();
}

void CMainDlg::OnFileRowSelected(const std::wstring& path)
{
    templatePanel_.LoadTemplateFromFile(path);
    // The quick view of the file's metadata arrives with the metadata readers.
    Item(IDC_QUICK_VIEW_TEXT).SetText(L"");
}

void CMainDlg::OnFileSelectionCleared()
{
    Item(IDC_QUICK_VIEW_TEXT).SetText(L"");
    templatePanel_.ClearForNoSelection();
}

std::wstring CMainDlg::SelectedCategoryText() const
{
    const CWindow list = Item(IDC_CATEGORY_LIST);
    const LRESULT selected = list.Send(LB_GETCURSEL);
    if (selected == LB_ERR)
        return {};
    const LRESULT length = list.Send(LB_GETTEXTLEN, selected);
    if (length == LB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    list.Send(LB_GETTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool CMainDlg::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message) {
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return false;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = kMinTrackWidth;
        info->ptMinTrackSize.y = kMinTrackHeight;
        result = 0;
        return true;
    }
    case WM_PAINT:
        if (!::IsIconic(Handle()))
            return false;
        OnPaintMinimized();
        result = 0;
        return true;
    case WM_DROPFILES:
        fileListPanel_.AddDroppedItems(reinterpret_cast<HDROP>(wParam));
        result = 0;
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(largeIcon_.Get());
        return true;
    case WM_CLOSE:
        // A running batch ends before its next file, then the window closes.
        // The exit question arrives with the program's message dialog.
        if (batchPanel_.IsRunning())
            batchPanel_.RequestStop();
        EndDialog(IDCANCEL);
        result = 0;
        return true;
    case WM_DESTROY:
        OnDestroy();
        return false;
    default:
        return false;
    }
}

void CMainDlg::OnUnhandledCommand(int controlId, int code)
{
    // Enter (IDOK) does nothing, and Escape (IDCANCEL) never closes the
    // window: closing goes through WM_CLOSE only.
    if (controlId == IDC_QUICK_VIEW && code == BN_CLICKED)
        ApplyQuickViewLayout();
}

MainLayout CMainDlg::CurrentLayout() const
{
    MainLayout layout{};
    for (size_t i = 0; i < layout.size(); ++i)
        if (kLayoutControl[i] != 0)
            layout[i] = ToLayoutRect(Item(kLayoutControl[i]).RectInParent());
    return layout;
}

void CMainDlg::ApplyLayout(const MainLayout& layout)
{
    const MainLayout current = CurrentLayout();
    for (size_t i = 0; i < layout.size(); ++i) {
        if (kLayoutControl[i] == 0 || layout[i] == current[i])
            continue;
        const CWindow control = Item(kLayoutControl[i]);
        RECT rect = ToRect(layout[i]);
        if (kLayoutControl[i] == IDC_COMMAND_COMBO) {
            // A combo box's window height includes its drop-down list.
            RECT dropped = {};
            control.Send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            rect.bottom = rect.top + (dropped.bottom - dropped.top);
        }
        control.Move(rect);
        if (static_cast<LayoutItem>(i) == LayoutItem::PreviewGroup)
            ::InvalidateRect(control, nullptr, TRUE);
    }
}

void CMainDlg::OnSize(UINT type, int clientWidth, int clientHeight)
{
    if (!Item(IDC_RESULT_LOG).IsWindow())
        return;
    if (!::IsZoomed(Handle()) && type != SIZE_MINIMIZED) {
        const RECT window = WindowRect();
        windowWidth_ = window.right - window.left;
        windowHeight_ = window.bottom - window.top;
    }
    if (type == SIZE_MINIMIZED)
        return;
    const bool quickView = Item(IDC_QUICK_VIEW).GetCheck() == BST_CHECKED;
    ApplyLayout(ComputeMainLayout(CurrentLayout(), clientWidth, clientHeight, quickView));
    batchPanel_.SetProgressRight(clientWidth - 18);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void CMainDlg::ApplyQuickViewLayout()
{
    const bool quickView = Item(IDC_QUICK_VIEW).GetCheck() == BST_CHECKED;
    const bool mediaPreview = Item(IDC_MEDIA_PREVIEW).GetCheck() == BST_CHECKED;
    const CWindow group = Item(IDC_PREVIEW_GROUP);
    group.Show(quickView);
    Item(IDC_MEDIA_PREVIEW).Show(quickView);
    // The picture preview arrives with the quick view; until then the text
    // view stands in both modes.
    Item(IDC_QUICK_VIEW_TEXT).Show(quickView && !mediaPreview);

    const CWindow view = Item(IDC_FILE_VIEW);
    RECT rect = view.RectInParent();
    rect.right = FileViewRightForQuickView(ToLayoutRect(group.RectInParent()), ClientRect().right,
                                           quickView);
    view.Move(rect);
}

void CMainDlg::OnPaintMinimized()
{
    PAINTSTRUCT paint = {};
    HDC dc = ::BeginPaint(Handle(), &paint);
    Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc));
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    const RECT client = ClientRect();
    ::DrawIcon(dc, (client.right - iconWidth + 1) / 2, (client.bottom - iconHeight + 1) / 2,
               largeIcon_.Get());
    ::EndPaint(Handle(), &paint);
}

void CMainDlg::OnDestroy()
{
    ClearOriginalValues();
    maximized_ = ::IsZoomed(Handle()) ? 1 : 0;
    SaveSettings();
    escapeFilter_.Uninstall();
}

void CMainDlg::LoadSettings()
{
    MainSettings settings;
    ReadSettingsFile(dataFolder_ + kSettingsFileName, settings);
    const std::pair<int, int> checks[] = {
        {IDC_FILTER_CASE, settings.caseFilter},     {IDC_DIR_ONLY, settings.dirOnly},
        {IDC_FILTER_EXCLUDE, settings.exclude},     {IDC_INCLUDE_DIR, settings.includeDir},
        {IDC_INCLUDE_SUBDIR, settings.includeSubDir}, {IDC_QUICK_VIEW, settings.quickView},
        {IDC_MEDIA_PREVIEW, settings.mediaPreview},
    };
    for (const auto& [id, state] : checks)
        Item(id).SetCheck(state != 0 ? BST_CHECKED : BST_UNCHECKED);
    lastFolder_ = settings.lastFolder;
    themeIndex_ = settings.themeIndex;
    windowWidth_ = settings.windowWidth;
    windowHeight_ = settings.windowHeight;
    maximized_ = settings.maximized;
    processedFiles_ = settings.processedFiles;
}

void CMainDlg::SaveSettings()
{
    if (!maximized_) {
        const RECT window = WindowRect();
        windowWidth_ = window.right - window.left;
        windowHeight_ = window.bottom - window.top;
    }
    MainSettings settings;
    settings.caseFilter = Item(IDC_FILTER_CASE).GetCheck();
    settings.dirOnly = Item(IDC_DIR_ONLY).GetCheck();
    settings.exclude = Item(IDC_FILTER_EXCLUDE).GetCheck();
    settings.includeDir = Item(IDC_INCLUDE_DIR).GetCheck();
    settings.includeSubDir = Item(IDC_INCLUDE_SUBDIR).GetCheck();
    settings.lastFolder = lastFolder_;
    settings.themeIndex = themeIndex_;
    settings.windowWidth = windowWidth_;
    settings.windowHeight = windowHeight_;
    settings.maximized = maximized_;
    settings.processedFiles = processedFiles_;
    settings.quickView = Item(IDC_QUICK_VIEW).GetCheck();
    settings.mediaPreview = Item(IDC_MEDIA_PREVIEW).GetCheck();
    WriteSettingsFile(dataFolder_ + kSettingsFileName, settings);
}
