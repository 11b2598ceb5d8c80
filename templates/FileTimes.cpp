#include "templates/FileTimes.h"

#include <windows.h>

#include <optional>

#include "support/ErrorLog.h"
#include "support/UniqueHandle.h"
#include "templates/DateTimeText.h"
#include "templates/LocalDateTimeConvert.h"

namespace {

UniqueHandle OpenForTimes(const std::wstring& path, DWORD access)
{
    // Backup semantics so that folders open too.
    return UniqueHandle(CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// Converts an optional input; false when it is given but cannot be written.
bool ToFileTime(const LocalDateTime* input, FILETIME& output, const FILETIME*& pointer)
{
    pointer = nullptr;
    if (!input)
        return true;
    const std::optional<FILETIME> converted = FileTimeFromLocalDateTime(*input);
    if (!converted)
        return false;
    output = *converted;
    pointer = &output;
    return true;
}

}  // namespace

bool ReadFileTimes(const std::wstring& path, LocalDateTime* created, LocalDateTime* modified,
                   LocalDateTime* accessed)
{
    UniqueHandle file = OpenForTimes(path, GENERIC_READ);
    if (!file) {
        LogError(L"(GetFileTime) File open failed on file \"%s\", error: %d", path.c_str(),
                 static_cast<int>(GetLastError()));
        return false;
    }
    FILETIME creation;
    FILETIME lastAccess;
    FILETIME lastWrite;
    if (!GetFileTime(file.Get(), &creation, &lastAccess, &lastWrite))
        return false;
    if (created)
        *created = LocalDateTimeFromFileTime(creation);
    if (modified)
        *modified = LocalDateTimeFromFileTime(lastWrite);
    if (accessed)
        *accessed = LocalDateTimeFromFileTime(lastAccess);
    return true;
}

bool WriteFileTimes(const std::wstring& path, const LocalDateTime* created, const LocalDateTime* modified,
                    const LocalDateTime* accessed, std::wstring& errorText)
{
    UniqueHandle file = OpenForTimes(path, GENERIC_WRITE);
    if (!file) {
        const DWORD error = GetLastError();
        errorText = L"file open failed, error: " + GetSystemErrorText(error);
        LogError(L"(SetFileTime) File open failed on file \"%s\", error: %d", path.c_str(), static_cast<int>(error));
        return false;
    }

    FILETIME creation{};
    FILETIME lastAccess{};
    FILETIME lastWrite{};
    const FILETIME* creationPointer = nullptr;
    const FILETIME* lastAccessPointer = nullptr;
    const FILETIME* lastWritePointer = nullptr;
    // All or nothing: a time that cannot be placed must not leave the file
    // half changed.
    if (!ToFileTime(created, creation, creationPointer) || !ToFileTime(modified, lastWrite, lastWritePointer) ||
        !ToFileTime(accessed, lastAccess, lastAccessPointer)) {
        errorText = L"invalid date time, file times not changed";
        LogError(L"(SetFileTime) Invalid date time for file \"%s\".", path.c_str());
        return false;
    }

    if (!SetFileTime(file.Get(), creationPointer, lastAccessPointer, lastWritePointer)) {
        const DWORD error = GetLastError();
        errorText = L"SetFileTime error: " + GetSystemErrorText(error);
        LogError(L"(SetFileTime) SetFileTime error: %d.", static_cast<int>(error));
        return false;
    }
    return true;
}

NewFileTime ComputeNewFileTime(const std::wstring& path, int32_t position, const std::wstring& command,
                               LocalDateTime& newTime, const LocalDateTime& templateTime,
                               const PropertySet* captured, std::wstring& errorText,
                               const ExpandOptions& options)
{
    if (command == kDoNotChange)
        return NewFileTime::Keep;
    if (command == kUsePickerValue) {
        newTime = templateTime;
        return NewFileTime::Write;
    }
    const bool usesCaptured = command == kUseCreateTime || command == kUseModifyTime || command == kUseAccessTime;
    if (usesCaptured) {
        if (!captured) {
            errorText = L"no file time was captured for this file";
            return NewFileTime::Fail;
        }
        newTime = command == kUseCreateTime   ? captured->created
                  : command == kUseModifyTime ? captured->modified
                                              : captured->accessed;
        return NewFileTime::Write;
    }

    std::wstring value = command;
    ExpandOptions strict = options;
    strict.strictDates = true;
    ExpandVariables(value, position, FormatLocalDateTime(templateTime, DateTimeForm::Full), path, strict);
    const ParsedDateTime parsed = ParseDateTimeText(value);
    if (!parsed.IsDate()) {
        // Writing the 1970 fallback would look like a deliberate date.
        errorText = L"time command did not give a date-time: " + value;
        return NewFileTime::Fail;
    }
    newTime = LocalDateTimeFromAbsolute(parsed.time);
    if (!newTime.IsValid()) {
        errorText = L"time command did not give a date-time: " + value;
        return NewFileTime::Fail;
    }
    return NewFileTime::Write;
}

bool WriteTemplateTimes(const std::wstring& path, int32_t position, const PropertySet& templateSet,
                        const PropertySet* captured, std::wstring& errorText, const ExpandOptions& options)
{
    struct Row {
        const std::wstring& command;
        const LocalDateTime& templateTime;
        LocalDateTime newTime;
        bool write = false;
    };
    Row rows[] = {
        {templateSet.createdCommand, templateSet.created, {}},
        {templateSet.modifiedCommand, templateSet.modified, {}},
        {templateSet.accessedCommand, templateSet.accessed, {}},
    };
    for (Row& row : rows) {
        switch (ComputeNewFileTime(path, position, row.command, row.newTime, row.templateTime, captured, errorText,
                                   options)) {
        case NewFileTime::Fail:
            return false;
        case NewFileTime::Write:
            row.write = true;
            break;
        case NewFileTime::Keep:
            break;
        }
    }
    return WriteFileTimes(path, rows[0].write ? &rows[0].newTime : nullptr,
                          rows[1].write ? &rows[1].newTime : nullptr, rows[2].write ? &rows[2].newTime : nullptr,
                          errorText);
}
