// Applying "File date time" to ten thousand files, against a bare loop that
// only opens each file and sets its time.

#include <cstdio>

#include "BenchmarkSupport.h"
#include "app/MainDlg.h"
#include "resource.h"
#include "templates/FileTimes.h"
#include "templates/LocalDateTimeConvert.h"

int RunBatchBenchmark(int divisor)
{
    const int count = 10000 / divisor;
    const std::wstring folder = BenchmarkFolder(L"batch", count);
    MakeFiles(folder, count);

    const double bare = SecondsOf([&] {
        const FILETIME time = {0x12345678, 0x01CF0000};
        for (int i = 0; i < count; ++i) {
            const std::wstring path = folder + L"\\file" + std::to_wstring(i) + L".txt";
            HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                ::SetFileTime(file, nullptr, nullptr, &time);
                ::CloseHandle(file);
            }
        }
    });

    CMainDlg dialog(L"");
    if (!dialog.Create()) {
        std::printf("batch: the main window could not be created\n");
        return 1;
    }
    PumpAll();
    ::SendMessageW(dialog.Item(IDC_DIR_ONLY), BM_SETCHECK, BST_UNCHECKED, 0);
    dialog.FileListPanel().AddChosenFolder(folder);
    // Only the files: the folder itself is the first row.
    ::SetWindowTextW(dialog.Item(IDC_FILTER_TEXT), L"file");
    PumpAll();
    ::SendMessageW(dialog.Item(IDC_CATEGORY_LIST), LB_SETCURSEL, 0, 0);
    dialog.Template().modifiedCommand = kUsePickerValue;
    dialog.Template().modified = LocalDateTimeFromFields(CalendarTime{2015, 5, 6, 7, 8, 9});

    const double apply = SecondsOf([&] {
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_APPLY_CHANGES, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(IDC_APPLY_CHANGES).Handle()));
    });
    const std::wstring log = CWindow(dialog.Item(IDC_RESULT_LOG)).Text();
    int lines = 0, successes = 0;
    for (size_t at = 0; (at = log.find(L"\r\n", at)) != std::wstring::npos; at += 2)
        ++lines;
    for (size_t at = 0; (at = log.find(L"changed successfully!", at)) != std::wstring::npos; ++at)
        ++successes;
    const double undo = SecondsOf([&] {
        ::SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_UNDO_CHANGES, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.Item(IDC_UNDO_CHANGES).Handle()));
    });
    dialog.Destroy();
    PumpAll();

    std::printf("batch, %d files: bare CreateFileW+SetFileTime %7.3f s | Apply Changes %7.3f s (x%.1f) | "
                "Undo Changes %7.3f s | log lines %d, successes %d\n",
                count, bare, apply, apply / bare, undo, lines, successes);
    std::fflush(stdout);
    return lines == count && successes == count ? 0 : 1;
}
