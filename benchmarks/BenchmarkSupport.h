#pragma once

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

// Wall-clock seconds of one run of `work`.
template <typename Work>
double SecondsOf(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Makes `count` small files named file<N>.txt in `folder` (not timed by the
// benchmarks). scripts/bench.sh makes the large folders beforehand from the
// host side: creating a new file under Wine searches its folder for a name
// in other letter case, so filling a folder of 100,000 files from here would
// take most of an hour.
inline void MakeFiles(const std::wstring& folder, int count)
{
    ::CreateDirectoryW(folder.c_str(), nullptr);
    if (::GetFileAttributesW((folder + L"\file" + std::to_wstring(count - 1) + L".txt").c_str()) !=
        INVALID_FILE_ATTRIBUTES)
        return;
    for (int i = 0; i < count; ++i) {
        const std::wstring path = folder + L"\\file" + std::to_wstring(i) + L".txt";
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, "x", 1, &written, nullptr);
            ::CloseHandle(file);
        }
    }
}

inline std::wstring BenchmarkFolder(const wchar_t* name, int count)
{
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"nimbrel_bench_" + name + L"_" + std::to_wstring(count);
}

inline void PumpAll()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}
