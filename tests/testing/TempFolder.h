#pragma once

#include <windows.h>

#include <string>

// A fresh folder under %TEMP% whose name holds non-ASCII letters, removed
// with everything in it (read-only files included) when the test ends.
class TempFolder {
public:
    explicit TempFolder(const wchar_t* tag = L"t")
    {
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH + 1, temp);
        static int counter = 0;
        path_ = std::wstring(temp) + L"nimbrel_" + tag + L"_\u00e4\u0416_" +
                std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
        RemoveTree(path_);
        ::CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~TempFolder() { RemoveTree(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

    std::wstring MakeFile(const std::wstring& name, const std::string& content = "data") const
    {
        const std::wstring full = *this / name;
        HANDLE file = ::CreateFileW(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
            ::CloseHandle(file);
        }
        return full;
    }

    std::wstring MakeFolder(const std::wstring& name) const
    {
        const std::wstring full = *this / name;
        ::CreateDirectoryW(full.c_str(), nullptr);
        return full;
    }

    static void RemoveTree(const std::wstring& folder)
    {
        WIN32_FIND_DATAW data;
        HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                const std::wstring full = folder + L"\\" + name;
                ::SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(full);
                else
                    ::DeleteFileW(full.c_str());
            } while (::FindNextFileW(find, &data));
            ::FindClose(find);
        }
        ::SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::RemoveDirectoryW(folder.c_str());
    }

private:
    std::wstring path_;
};
