#pragma once

// A local calendar date and time held as an OLE Automation date: whole days
// since 1899-12-30 00:00, the fraction being the time of day. Resolution is
// one second. Conversions to and from file times and the display forms live
// with the file time operations (templates/FileTimes).
struct LocalDateTime {
    enum class Status : int { Valid = 0, Invalid = 1, Null = 2 };

    double value = 0.0;
    Status status = Status::Valid;

    bool IsValid() const { return status == Status::Valid; }

    static LocalDateTime Invalid() { return {0.0, Status::Invalid}; }
    static LocalDateTime Null() { return {0.0, Status::Null}; }

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};
