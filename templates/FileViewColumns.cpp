#include "templates/FileViewColumns.h"

#include <windows.h>

#include "templates/FileAttributes.h"
#include "templates/FileTimes.h"
#include "templates/LocalDateTimeConvert.h"

FileViewTexts ReadFileViewTexts(const std::wstring& path)
{
    FileViewTexts texts;
    LocalDateTime created;
    LocalDateTime modified;
    LocalDateTime accessed;
    if (ReadFileTimes(path, &created, &modified, &accessed)) {
        texts.timesRead = true;
        texts.created = FormatLocalDateTime(created, DateTimeForm::FileView);
        texts.modified = FormatLocalDateTime(modified, DateTimeForm::FileView);
        texts.accessed = FormatLocalDateTime(accessed, DateTimeForm::FileView);
    }
    // A vanished file gives INVALID_FILE_ATTRIBUTES, shown as every letter.
    texts.attributes = AttributeLetters(GetFileAttributesW(path.c_str()));
    return texts;
}
