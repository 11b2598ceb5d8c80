// Adding a folder of many files and typing in the filter, against a bare loop
// that only walks the folder and reads each entry's times and attributes.

#include <cstdio>

#include "BenchmarkSupport.h"
#include "app/MainDlg.h"
#include "resource.h"

namespace {

// The least any file list must do: find every entry and read its times.
double BareWalk(const std::wstring& folder, int& entries)
{
    entries = 0;
    return SecondsOf([&] {
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileExW((folder + L"\\*.*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE)
            return;
        do {
            const std::wstring path = folder + L"\\" + data.cFileName;
            HANDLE file = ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
            FILETIME times[3];
            if (file != INVALID_HANDLE_VALUE) {
                ::GetFileTime(file, &times[0], &times[1], &times[2]);
                ::CloseHandle(file);
            }
            ::GetFileAttributesW(path.c_str());
            ++entries;
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    });
}

}  // namespace

int RunFileListBenchmark(int divisor)
{
    int failures = 0;
    for (const int full : {10000, 100000}) {
        const int count = full / divisor;
        const std::wstring folder = BenchmarkFolder(L"list", count);
        MakeFiles(folder, count);

        int entries = 0;
        const double bare = BareWalk(folder, entries);

        CMainDlg dialog(L"");
        if (!dialog.Create()) {
            std::printf("file list: the main window could not be created\n");
            return 1;
        }
        PumpAll();
        // Painting the first screen of rows is part of what the user waits for.
        const double add = SecondsOf([&] {
            dialog.FileListPanel().AddChosenFolder(folder);
            PumpAll();
        });
        const int rows = dialog.FileListPanel().View().RowCount();
        // One keystroke in the filter box that hides nothing, then one that hides every file.
        const double filterAll = SecondsOf([&] {
            ::SetWindowTextW(dialog.Item(IDC_FILTER_TEXT), L"file");
            PumpAll();
        });
        const double filterNone = SecondsOf([&] {
            ::SetWindowTextW(dialog.Item(IDC_FILTER_TEXT), L"nothing matches");
            PumpAll();
        });
        dialog.Destroy();
        PumpAll();

        std::printf("file list, %6d files: bare walk %7.3f s | add folder %7.3f s (x%.1f) | "
                    "filter keystroke showing all %7.3f s (x%.1f), showing none %7.3f s\n",
                    count, bare, add, add / bare, filterAll, filterAll / bare, filterNone);
        if (rows != count + 1 || entries != count + 2) {
            std::printf("  wrong row count: %d rows for %d files\n", rows, count);
            ++failures;
        }
        std::fflush(stdout);
    }
    return failures;
}
