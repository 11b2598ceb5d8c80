#include "support/ErrorLog.h"

#include <cstdarg>
#include <cwchar>

#include "support/DataFolder.h"
#include "support/FileHelpers.h"
#include "support/UniqueHandle.h"
#include "support/VersionInfo.h"

namespace errorlog {

namespace {

UniqueHandle OpenLogExclusive(const std::wstring& logPath)
{
    // No sharing: a call that overlaps another writer fails here and drops its
    // line, so lines are never interleaved.
    return UniqueHandle(CreateFileW(logPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

std::wstring FormatLine(const SYSTEMTIME& localTime, const std::wstring& message)
{
    wchar_t stamp[64];
    swprintf(stamp, 64, L"[ver.%ls %02d/%02d/%02d %02d:%02d:%02d] ",
             NIMBREL_WIDEN(NIMBREL_FILE_VERSION_TEXT), localTime.wMonth, localTime.wDay,
             localTime.wYear, localTime.wHour, localTime.wMinute, localTime.wSecond);
    return stamp + message + L"\r\n";
}

bool AppendLine(const std::wstring& logPath, const std::wstring& line)
{
    UniqueHandle file = OpenLogExclusive(logPath);
    if (!file)
        return false;

    LARGE_INTEGER size = {};
    if (GetFileSizeEx(file.Get(), &size) &&
        static_cast<unsigned long long>(size.QuadPart) > kSizeLimit) {
        file.Reset();
        std::string content;
        // When the old content cannot be read back whole it is left as it is:
        // the log then grows by this one line instead of losing what it held.
        if (ReadWholeFile(logPath, content) >= 0 && content.size() > kKeptAfterTrim)
            WriteWholeFile(logPath, content.substr(content.size() - kKeptAfterTrim));
        file = OpenLogExclusive(logPath);
        if (!file)
            return false;
    }

    const std::string bytes = WideToUtf8(line);
    SetFilePointer(file.Get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return true;
}

std::wstring PrepareLogPath()
{
    std::wstring folder = GetAppDataFolder() + L"Nimbrel";
    CreateFolderPath(folder);
    if (folder.back() != L'\\')
        folder += L'\\';
    return folder + L"ErrorLog.txt";
}

}  // namespace errorlog

void LogError(const wchar_t* format, ...)
{
    // wvsprintfW never writes more than 1,024 characters, terminator included.
    wchar_t message[errorlog::kMessageChars + 1] = {};
    va_list args;
    va_start(args, format);
    wvsprintfW(message, format, args);
    va_end(args);
    message[errorlog::kMessageChars] = L'\0';

    SYSTEMTIME now = {};
    GetLocalTime(&now);
    errorlog::AppendLine(errorlog::PrepareLogPath(), errorlog::FormatLine(now, message));
}

std::wstring GetSystemErrorText(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring systemText;
    if (length > 0 && buffer != nullptr)
        systemText.assign(buffer, length);
    if (buffer != nullptr)
        LocalFree(buffer);
    if (systemText.empty())
        systemText = L"Unknown error.";

    std::wstring result = L"[" + std::to_wstring(static_cast<int>(code)) + L"]" + systemText;
    const size_t end = result.find_last_not_of(L" \t\r\n");
    result.erase(end + 1);
    return result;
}
