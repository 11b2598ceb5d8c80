#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <algorithm>
#include <cstring>

#include <cstdlib>

int RunFileListBenchmark(int scale);
int RunBatchBenchmark(int scale);

// nimbrel_benchmarks [filelist|batch|all [divisor]]: runs one benchmark, or
// both; a divisor makes every file count that much smaller for a quick look.
int main(int argc, char** argv)
{
    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LINK_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    const char* which = argc > 1 ? argv[1] : "all";
    const int divisor = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    int result = 0;
    if (std::strcmp(which, "all") == 0 || std::strcmp(which, "filelist") == 0)
        result |= RunFileListBenchmark(divisor);
    if (std::strcmp(which, "all") == 0 || std::strcmp(which, "batch") == 0)
        result |= RunBatchBenchmark(divisor);
    ::CoUninitialize();
    return result;
}
