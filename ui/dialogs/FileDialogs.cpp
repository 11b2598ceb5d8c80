#include "ui/dialogs/FileDialogs.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "support/ComPtr.h"
#include "support/DataFolder.h"

namespace {

// The Vista-style dialog; false with hr set when it is not available.
bool ChooseWithFileOpenDialog(HWND owner, const std::wstring& initialFolder,
                              std::vector<std::wstring>& paths, HRESULT& hr)
{
    ComPtr<IFileOpenDialog> dialog;
    hr = ::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                            dialog.ReceiveVoid());
    if (FAILED(hr))
        return false;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_ALLOWMULTISELECT | FOS_NODEREFERENCELINKS | FOS_FORCEFILESYSTEM |
                       FOS_FILEMUSTEXIST);
    if (!initialFolder.empty()) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(::SHCreateItemFromParsingName(initialFolder.c_str(), nullptr, IID_IShellItem,
                                                    folder.ReceiveVoid())))
            dialog->SetFolder(folder.Get());
    }
    hr = dialog->Show(owner);
    if (FAILED(hr))
        return true;  // the dialog ran; Cancel or a failure

    ComPtr<IShellItemArray> items;
    hr = dialog->GetResults(items.Receive());
    if (FAILED(hr))
        return true;
    DWORD count = 0;
    items->GetCount(&count);
    for (DWORD i = 0; i < count; ++i) {
        ComPtr<IShellItem> item;
        CoTaskMemPtr<wchar_t*> path;
        if (SUCCEEDED(items->GetItemAt(i, item.Receive())) &&
            SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, path.Receive())))
            paths.emplace_back(path.Get());
    }
    return true;
}

bool ChooseWithOpenFileName(HWND owner, const std::wstring& initialFolder, std::vector<std::wstring>& paths,
                            DWORD& errorCode)
{
    // Room for very large multiple selections.
    std::wstring names(1305001, L'\0');
    wchar_t folder[MAX_PATH] = {};
    initialFolder.copy(folder, MAX_PATH - 1);

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFile = names.data();
    ofn.nMaxFile = static_cast<DWORD>(names.size());
    ofn.lpstrInitialDir = folder;
    ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_NODEREFERENCELINKS | OFN_FILEMUSTEXIST |
                OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&ofn)) {
        errorCode = ::CommDlgExtendedError();
        return false;
    }
    // One name: the full path. Several: the folder, then each name, each
    // ended by a zero, the list by two.
    const wchar_t* first = names.c_str();
    const wchar_t* next = first + wcslen(first) + 1;
    if (*next == L'\0') {
        paths.emplace_back(first);
        return true;
    }
    std::wstring base = first;
    if (!base.empty() && base.back() != L'\\')
        base += L'\\';
    for (; *next != L'\0'; next += wcslen(next) + 1)
        paths.push_back(base + next);
    return true;
}

struct PickerState {
    std::wstring current;  // the folder shown as the picker's text
    std::wstring typed;    // a folder the user typed and we created
    bool typedFolder = false;
};

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data)
{
    auto* state = reinterpret_cast<PickerState*>(data);
    switch (message) {
    case BFFM_INITIALIZED:
        ::SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state->current.c_str()));
        break;
    case BFFM_SELCHANGED: {
        wchar_t path[MAX_PATH] = {};
        if (::SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam), path)) {
            state->current = path;
            ::SendMessageW(window, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(path));
        }
        if (HWND edit = ::FindWindowExW(window, nullptr, L"Edit", nullptr))
            ::SetWindowTextW(edit, state->current.c_str());
        break;
    }
    case BFFM_VALIDATEFAILEDW: {
        const std::wstring typed = reinterpret_cast<const wchar_t*>(lParam);
        if (!CreateFolderPath(typed))
            return 1;  // keep the picker open
        state->typedFolder = true;
        state->typed = typed;
        return 0;
    }
    default:
        break;
    }
    return 0;
}

}  // namespace

bool ChooseFilesToAdd(HWND owner, const std::wstring& initialFolder, std::vector<std::wstring>& paths,
                      DWORD& errorCode)
{
    errorCode = 0;
    HRESULT hr = S_OK;
    if (ChooseWithFileOpenDialog(owner, initialFolder, paths, hr)) {
        if (hr != HRESULT_FROM_WIN32(ERROR_CANCELLED) && FAILED(hr))
            errorCode = static_cast<DWORD>(hr);
        return !paths.empty();
    }
    return ChooseWithOpenFileName(owner, initialFolder, paths, errorCode);
}

bool BrowseForFolder(std::wstring& folder, const std::wstring& title, HWND owner)
{
    const std::wstring shownTitle = title.empty() ? L"Please select folder:" : title;
    PickerState state;
    state.current = folder;

    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.lpszTitle = shownTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_VALIDATE;
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);

    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (chosen != nullptr) {
        wchar_t path[MAX_PATH] = {};
        const bool havePath = ::SHGetPathFromIDListW(chosen, path) != FALSE;
        ::CoTaskMemFree(chosen);
        if (havePath) {
            folder = path;
            return true;
        }
    }
    if (state.typedFolder) {
        folder = state.typed;
        return true;
    }
    return false;
}
