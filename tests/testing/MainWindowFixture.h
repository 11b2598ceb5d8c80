#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/MainDlg.h"
#include "resource.h"
#include "support/DataFolder.h"
#include "testing/WindowTest.h"

// The real main window, created modeless on the test display and driven with
// the messages a user's actions produce.
class MainWindowFixture : public testing::Test {
protected:
    // Each test starts from the defaults unless it keeps the settings file
    // that an earlier window of the same test left.
    void Open(const std::wstring& commandLine = L"", bool keepSettings = false)
    {
        if (!keepSettings)
            ::DeleteFileW((GetDataFolder() + L"NBL.cfg").c_str());
        dialog_ = std::make_unique<CMainDlg>(commandLine);
        if (!dialog_->Create())
            GTEST_SKIP() << "the main window could not be created (no display?)";
        ::ShowWindow(dialog_->Handle(), SW_SHOW);
        PumpMessages();
    }
    void TearDown() override
    {
        if (dialog_ && dialog_->IsWindow())
            dialog_->Destroy();
        PumpMessages();
    }

    HWND Window() const { return dialog_->Handle(); }
    HWND Item(int id) const { return ::GetDlgItem(dialog_->Handle(), id); }

    // A click on a button or check box, as the mouse gives it.
    void Click(int id)
    {
        ::SendMessageW(Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    void SetChecked(int id, bool checked)
    {
        if ((::SendMessageW(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED) != checked)
            Click(id);
    }
    void SelectCategory(int index)
    {
        ::SendMessageW(Item(IDC_CATEGORY_LIST), LB_SETCURSEL, index, 0);
        ::SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDC_CATEGORY_LIST, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_CATEGORY_LIST)));
        PumpMessages();
    }
    // Typing into the filter box: every change rebuilds the view.
    void TypeFilter(const std::wstring& text)
    {
        ::SetWindowTextW(Item(IDC_FILTER_TEXT), text.c_str());
        PumpMessages();
    }

    CListView View() const { return CListView(Item(IDC_FILE_VIEW)); }
    std::vector<std::wstring> Rows(int column = 0) const
    {
        std::vector<std::wstring> rows;
        for (int row = 0; row < View().RowCount(); ++row)
            rows.push_back(View().Text(row, column));
        return rows;
    }
    // Selects exactly the given rows, the last one focused and marked, as
    // clicks with Ctrl held would.
    void SelectRows(const std::vector<int>& rows)
    {
        const CListView view = View();
        view.SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : rows)
            view.SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        if (!rows.empty())
            view.SetSelectionMark(rows.back());
        PumpMessages();
    }
    std::wstring LogText() const { return CWindow(Item(IDC_RESULT_LOG)).Text(); }
    std::wstring Caption() const { return CWindow(Item(IDC_STEP1_GROUP)).Text(); }

    std::unique_ptr<CMainDlg> dialog_;
};

// A visible dialog of this process that has (or, with `has` false, lacks) the
// control `id`: a system dialog the program opened, told apart from the main
// window, which is a dialog too.
inline HWND FindOwnDialog(int id, bool has)
{
    struct Search {
        int id;
        bool has;
        HWND found = nullptr;
    } search{id, has};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process == ::GetCurrentProcessId() && ClassNameOf(window) == L"#32770" &&
                ::IsWindowVisible(window) && (::GetDlgItem(window, search->id) != nullptr) == search->has) {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Answers the next message box of this process with OK from another thread,
// keeping its text, as a user reading and closing it would.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer()
        : thread_([this] {
              for (int i = 0; i < 400 && !stop_; ++i) {
                  if (HWND box = FindBox()) {
                      text_ = LongestStaticText(box);
                      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                      seen_ = true;
                      return;
                  }
                  ::Sleep(25);
              }
          })
    {
    }
    ~MessageBoxAnswerer()
    {
        stop_ = true;
        thread_.join();
    }
    bool Seen() const { return seen_; }
    // The message text; call after the box was answered.
    std::wstring Text() const { return text_; }

private:
    // The main window is a dialog too; a message box has no file view.
    static HWND FindBox() { return FindOwnDialog(IDC_FILE_VIEW, false); }

    static std::wstring LongestStaticText(HWND box)
    {
        std::wstring longest;
        for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (ClassNameOf(child) != L"Static")
                continue;
            const std::wstring text = CWindow(child).Text();
            if (text.size() > longest.size())
                longest = text;
        }
        return longest;
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::wstring text_;
    std::thread thread_;
};
