#pragma once

#include <windows.h>

#include <utility>

// Owns a kernel handle and closes it once. INVALID_HANDLE_VALUE and null both
// mean "no handle", since CreateFileW and the other calls disagree.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(std::exchange(other.handle_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return IsValid(); }
    HANDLE Get() const { return handle_; }

    void Reset(HANDLE handle = nullptr)
    {
        if (IsValid())
            CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};
