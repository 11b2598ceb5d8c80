#pragma once

#include <windows.h>

#include <string>

// Appends one line to "ErrorLog.txt" in the data folder. `format` follows
// wvsprintfW (%s wide string, %d int, %X hex). Never fails towards the caller:
// a line that cannot be written (the log is locked, the folder is missing) is
// dropped silently.
void LogError(const wchar_t* format, ...);

// "[code]text" with the system's message for a Win32 error code, trailing
// white space removed.
std::wstring GetSystemErrorText(DWORD code);

// The pieces of LogError, exposed so that they can be exercised on a file of
// the caller's choosing.
namespace errorlog {

inline constexpr unsigned long long kSizeLimit = 1048576;  // larger files are trimmed
inline constexpr size_t kKeptAfterTrim = 1047552;          // the last 1 MiB - 1 KiB
inline constexpr size_t kMessageChars = 1023;              // longer messages are cut

// "[ver.3.7.5.1 MM/DD/YYYY HH:MM:SS] message\r\n"
std::wstring FormatLine(const SYSTEMTIME& localTime, const std::wstring& message);

// Trims the file if it is over the limit, then appends the line as UTF-8.
// Opens without sharing; returns false (and writes nothing) when the file
// cannot be opened.
bool AppendLine(const std::wstring& logPath, const std::wstring& line);

// Full path of the log in the data folder, creating the folder if needed.
std::wstring PrepareLogPath();

}  // namespace errorlog
