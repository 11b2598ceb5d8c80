#include "templates/LocalDateTimeConvert.h"

#include <oleauto.h>

namespace {

std::optional<CalendarTime> FieldsFromVariantTime(double value)
{
    SYSTEMTIME system;
    if (!VariantTimeToSystemTime(value, &system))
        return std::nullopt;
    return CalendarTime{system.wYear, system.wMonth, system.wDay, system.wHour, system.wMinute, system.wSecond};
}

}  // namespace

LocalDateTime LocalDateTimeFromFields(const CalendarTime& fields)
{
    if (fields.year < 0 || fields.year > 65535 || fields.month < 0 || fields.month > 65535 || fields.day < 0 ||
        fields.day > 65535 || fields.hour < 0 || fields.hour > 65535 || fields.minute < 0 ||
        fields.minute > 65535 || fields.second < 0 || fields.second > 65535)
        return LocalDateTime::Invalid();
    SYSTEMTIME system{};
    system.wYear = static_cast<WORD>(fields.year);
    system.wMonth = static_cast<WORD>(fields.month);
    system.wDay = static_cast<WORD>(fields.day);
    system.wHour = static_cast<WORD>(fields.hour);
    system.wMinute = static_cast<WORD>(fields.minute);
    system.wSecond = static_cast<WORD>(fields.second);
    double value = 0.0;
    if (!SystemTimeToVariantTime(&system, &value))
        return LocalDateTime::Invalid();
    const std::optional<CalendarTime> back = FieldsFromVariantTime(value);
    if (!back || *back != fields)
        return LocalDateTime::Invalid();
    return LocalDateTime{value, LocalDateTime::Status::Valid};
}

std::optional<CalendarTime> FieldsOf(const LocalDateTime& value)
{
    if (!value.IsValid())
        return std::nullopt;
    return FieldsFromVariantTime(value.value);
}

LocalDateTime LocalDateTimeFromFileTime(const FILETIME& fileTime)
{
    const std::optional<CalendarTime> local = UtcSecondsToLocal(FileTimeToUtcSeconds(fileTime));
    if (!local)
        return LocalDateTime::Invalid();
    return LocalDateTimeFromFields(*local);
}

std::optional<FILETIME> FileTimeFromLocalDateTime(const LocalDateTime& value)
{
    const std::optional<CalendarTime> fields = FieldsOf(value);
    if (!fields || fields->year < 1601)
        return std::nullopt;
    const std::optional<int64_t> utc = LocalToUtcSeconds(*fields);
    if (!utc)
        return std::nullopt;
    return UtcSecondsToFileTime(*utc);
}

LocalDateTime LocalDateTimeFromAbsolute(AbsoluteTime time)
{
    const std::optional<CalendarTime> local = UtcSecondsToLocal(time);
    if (!local)
        return LocalDateTime::Invalid();
    return LocalDateTimeFromFields(*local);
}

LocalDateTime LocalDateTimeNow()
{
    return LocalDateTimeFromFields(CurrentLocalTime());
}

std::wstring FormatLocalDateTime(const LocalDateTime& value, DateTimeForm form)
{
    if (value.status == LocalDateTime::Status::Null)
        return {};
    const std::optional<CalendarTime> fields = FieldsOf(value);
    if (!fields)
        return L"Invalid DateTime";
    switch (form) {
    case DateTimeForm::FileView:
        return FormatShortDateTime(*fields);
    case DateTimeForm::Editor:
        return FormatLongDateTime(*fields);
    case DateTimeForm::Full:
        break;
    }
    return FormatFull(*fields);
}
