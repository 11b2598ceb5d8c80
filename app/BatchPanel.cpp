#include "app/BatchPanel.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "backends/CategoryBackend.h"
#include "resource.h"
#include "support/ErrorLog.h"
#include "templates/CalendarTime.h"
#include "templates/FileAttributes.h"
#include "templates/FileTimes.h"
#include "templates/LocalTimeZone.h"
#include "ui/controls/ListView.h"
#include "ui/controls/WaitCursor.h"
#include "ui/dialogs/MessageDialog.h"

namespace {

// Controls that must not start anything while a batch runs.
constexpr int kDisabledWhileRunning[] = {
    IDC_ADD_FILES, IDC_ADD_FOLDER, IDC_MOVE_DOWN, IDC_MOVE_UP, IDC_ADD_VARIABLE, IDC_CONVERT_TO_BYTES,
    IDC_EXPORT, IDC_REMOVE, IDC_EMPTY_LIST, IDC_INVERT_SELECTION, IDC_SELECT_ALL, IDC_PROPERTY_LIST,
    IDC_CATEGORY_LIST, IDC_COMMAND_COMBO,
};

bool IsFileCategory(PropertyCategory category)
{
    return category == PropertyCategory::FileDateTime || category == PropertyCategory::FileAttributes;
}

std::wstring LogStamp()
{
    return FormatTime24(CurrentLocalTime()) + L" -- ";
}

}  // namespace

CBatchPanel::CBatchPanel(CDialog& dialog, CFileListPanel& fileList, Context context)
    : dialog_(dialog), fileList_(fileList), context_(std::move(context))
{
}

void CBatchPanel::Attach()
{
    log_ = CResultLog(dialog_.Item(IDC_RESULT_LOG).Handle());
    log_.LiftTextLimit();

    // The progress bar lies exactly over the keep-date check box and is shown
    // in its place while a batch runs.
    const RECT place = dialog_.Item(IDC_KEEP_DATE).RectInParent();
    progress_ = ::CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD | WS_VISIBLE | PBS_SMOOTH, place.left,
                                  place.top, place.right - place.left, place.bottom - place.top,
                                  dialog_.Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_RUNTIME_CHILD)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(progress_, SW_HIDE);

    dialog_.OnCommand(IDC_APPLY_CHANGES, BN_CLICKED, [this] { OnApplyChanges(); });
    dialog_.OnCommand(IDC_UNDO_CHANGES, BN_CLICKED, [this] { OnUndoChanges(); });
}

void CBatchPanel::SetProgressRight(int right) const
{
    if (progress_ == nullptr)
        return;
    RECT rect = CWindow(progress_).RectInParent();
    rect.right = right;
    CWindow(progress_).Move(rect);
}

void CBatchPanel::SetProcessingState(bool running)
{
    stopFlag_ = !running;
    running_ = running;
    dialog_.Item(IDC_APPLY_CHANGES).SetText(running ? L"Stop processing" : L"Apply Changes");
    dialog_.Item(IDC_KEEP_DATE).Show(!running);
    ::ShowWindow(progress_, running ? SW_SHOW : SW_HIDE);
    for (int id : kDisabledWhileRunning)
        dialog_.Item(id).Enable(!running);
    if (!IsFileCategory(context_.selectedCategory())) {
        for (int id : {IDC_ADD_PROPERTY, IDC_REMOVE_PROPERTY, IDC_TEMPLATE_COMBO})
            dialog_.Item(id).Enable(!running);
    }
}

void CBatchPanel::PumpPendingMessages() const
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Leave the quit for the loop that owns it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        // Offered to the message filters as the dialog's own loop does, so
        // that Escape stays swallowed while a batch runs.
        if (::CallMsgFilterW(&message, MSGF_DIALOGBOX))
            continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

void CBatchPanel::CaptureOriginalValues(const std::wstring& path, PropertyCategory category, bool keepDate,
                                        PropertySet& record) const
{
    if (category == PropertyCategory::FileAttributes)
        record.attributes = ::GetFileAttributesW(path.c_str());
    else if (CategoryBackend* backend = BackendFor(category))
        backend->ReadValues(path, record);
    if (category == PropertyCategory::FileDateTime || keepDate) {
        // Times that cannot be read stay invalid, so that neither Undo nor a
        // "Use file ... time" command can write a made-up date.
        record.created = record.modified = record.accessed = LocalDateTime::Invalid();
        ReadFileTimes(path, &record.created, &record.modified, &record.accessed);
    }
}

void CBatchPanel::OnApplyChanges()
{
    if (running_) {
        SetProcessingState(false);
        return;
    }
    const CListView view = fileList_.View();
    if (view.RowCount() == 0) {
        ShowMessage(dialog_.Handle(),
                    L"Please add files to the list using \"Add Files\" or \"Add Folder\" or drag and drop files to "
                    L"the list before press this button.",
                    context_.themeIndex());
        return;
    }

    WaitCursor wait;
    context_.originalValues.Clear();
    undoCategory_ = context_.selectedCategory();
    dialog_.Item(IDC_UNDO_CHANGES).Enable(false);
    SetProcessingState(true);
    const int range = view.RowCount();
    ::SendMessageW(progress_, PBM_SETRANGE32, 0, range);
    ::SendMessageW(progress_, PBM_SETPOS, 0, 0);
    // The bar is moved only when it grows by a whole pixel: a move per file
    // costs more than many a file's own change.
    const long long barWidth = std::max<LONG>(1, CWindow(progress_).ClientRect().right);
    long long shownPixels = 0;

    CResultLogWriter log(log_);
    for (int row = 0; row < view.RowCount(); ++row) {
        if (row % 10 == 0) {
            log.FlushIfDue();
            PumpPendingMessages();
        }
        if (stopFlag_ || !dialog_.IsWindow())
            break;

        const std::wstring path = view.Text(row, 0);
        const PropertyCategory category = context_.selectedCategory();
        const bool keepDate = dialog_.Item(IDC_KEEP_DATE).GetCheck() == BST_CHECKED;
        PropertySet& record = context_.originalValues.Record(path);
        CaptureOriginalValues(path, category, keepDate, record);
        record.saved = true;
        undoCategory_ = category;

        std::wstring error;
        const bool ok = ApplyToFile(path, row, false, error);
        const std::wstring message =
            ok ? path + L" -- file properties changed successfully!\r\n"
               : L"ERROR! " + path + L" -- file properties change failed, " + error + L"\r\n";

        if (keepDate && category != PropertyCategory::FileDateTime) {
            std::wstring ignored;
            WriteFileTimes(path, &record.created, &record.modified, &record.accessed, ignored);
        }

        log.Add(LogStamp() + message);
        ++context_.processedFiles;
        const long long pixels = (row + 1) * barWidth / std::max(1, range);
        if (pixels != shownPixels) {
            shownPixels = pixels;
            ::SendMessageW(progress_, PBM_SETPOS, row + 1, 0);
        }
    }

    dialog_.Item(IDC_UNDO_CHANGES).Enable(!context_.originalValues.Empty());
    log.Flush();
    SetProcessingState(false);
    fileList_.RefreshFileListColumns();
}

void CBatchPanel::OnUndoChanges()
{
    if (running_)
        return;
    WaitCursor wait;
    const CListView view = fileList_.View();
    // Undo lets no message through until it ends, so the log is shown once.
    CResultLogWriter log(log_);
    for (int row = 0; row < view.RowCount(); ++row) {
        const std::wstring path = view.Text(row, 0);
        std::wstring message;
        if (const PropertySet* record = context_.originalValues.Find(path)) {
            if (record->saved) {
                std::wstring error;
                message = ApplyToFile(path, row, true, error)
                              ? path + L" -- file properties rollback successfully!\r\n"
                              : L"ERROR! " + path + L" -- file properties rollback failed, " + error + L"\r\n";
            }
        } else {
            message = path + L" -- file properties rollback failed.\r\n";
        }
        log.Add(message);
    }
    log.Flush();
    dialog_.Item(IDC_UNDO_CHANGES).Enable(false);
    context_.originalValues.Clear();
    fileList_.RefreshFileListColumns();
}

bool CBatchPanel::ApplyToFile(const std::wstring& path, int position, bool undo, std::wstring& errorText)
{
    const PropertyCategory category = undo ? undoCategory_ : context_.selectedCategory();
    const PropertySet* record = context_.originalValues.Find(path);
    if (undo && record == nullptr)
        return false;

    switch (category) {
    case PropertyCategory::FileDateTime:
        if (undo)
            return WriteFileTimes(path, &record->created, &record->modified, &record->accessed, errorText);
        return WriteTemplateTimes(path, position, context_.templateSet, record, errorText);

    case PropertyCategory::FileAttributes:
        if (!undo)
            return ChangeFileAttributes(path, context_.templateSet.attributes, errorText);
        if (record->attributes == INVALID_FILE_ATTRIBUTES) {
            errorText = L"the attributes could not be read before the change";
            return false;
        }
        if (!::SetFileAttributesW(path.c_str(), record->attributes)) {
            errorText = GetSystemErrorText(::GetLastError());
            return false;
        }
        return true;

    case PropertyCategory::DocumentSummary:
    case PropertyCategory::PictureExif:
    case PropertyCategory::Mp3Id3:
    case PropertyCategory::AviInfo:
        if (CategoryBackend* backend = BackendFor(category))
            return backend->WriteValues(path, undo ? *record : context_.templateSet, position, undo, errorText);
        errorText = L"this version cannot write \"" + std::wstring(CategoryText(category)) + L"\" properties yet";
        return false;

    case PropertyCategory::None:
    default:
        return false;
    }
}
