#pragma once

#include <cstdint>
#include <string>

#include "core/LocalDateTime.h"
#include "core/PropertySet.h"
#include "templates/ExpandVariables.h"

// The three time commands that take a time from somewhere other than a
// template text.
inline constexpr wchar_t kUsePickerValue[] = L"Use value from date time picker";
inline constexpr wchar_t kUseCreateTime[] = L"Use file create time";
inline constexpr wchar_t kUseModifyTime[] = L"Use file modify time";
inline constexpr wchar_t kUseAccessTime[] = L"Use file last access time";

// Reads a file's or folder's times as local date-times to the second. Null
// outputs are skipped. On an open failure the outputs are untouched and the
// failure is logged.
bool ReadFileTimes(const std::wstring& path, LocalDateTime* created, LocalDateTime* modified,
                   LocalDateTime* accessed);

// Writes the non-null times to a file or folder (the file is opened even when
// all three are null, so a file that cannot be written always fails). All
// given times must be valid: otherwise nothing is written and the call fails.
// errorText is set only on failure.
bool WriteFileTimes(const std::wstring& path, const LocalDateTime* created, const LocalDateTime* modified,
                    const LocalDateTime* accessed, std::wstring& errorText);

enum class NewFileTime {
    Keep,   // "Do not change": leave this time as it is
    Write,  // write newTime
    Fail,   // the command gives no usable time; the file must not be touched
};

// Resolves one time row's command for one file. `captured` is the file's
// record of values taken before the change (for the "Use file ... time"
// commands); `templateTime` is the template's date-time of the row, which a
// variable command works on as its old value. A variable command must expand
// to a date-time in range; anything else fails the file with errorText rather
// than writing a fallback date.
NewFileTime ComputeNewFileTime(const std::wstring& path, int32_t position, const std::wstring& command,
                               LocalDateTime& newTime, const LocalDateTime& templateTime,
                               const PropertySet* captured, std::wstring& errorText,
                               const ExpandOptions& options = {});

// The "File date time" write for one file of a batch: resolves the created,
// modified and accessed commands of the template in that order and writes
// the result in one call. If any command fails, no time is written.
bool WriteTemplateTimes(const std::wstring& path, int32_t position, const PropertySet& templateSet,
                        const PropertySet* captured, std::wstring& errorText, const ExpandOptions& options = {});
