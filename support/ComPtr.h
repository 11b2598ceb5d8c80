#pragma once

#include <unknwn.h>

#include <utility>

// Owns one reference to a COM object.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

    // For calls that hand out a new reference.
    T** Receive()
    {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

    void Reset()
    {
        if (pointer_ != nullptr)
            pointer_->Release();
        pointer_ = nullptr;
    }

private:
    T* pointer_ = nullptr;
};

// Frees memory the shell or COM allocated with CoTaskMemAlloc.
template <typename T>
class CoTaskMemPtr {
public:
    CoTaskMemPtr() = default;
    CoTaskMemPtr(const CoTaskMemPtr&) = delete;
    CoTaskMemPtr& operator=(const CoTaskMemPtr&) = delete;
    ~CoTaskMemPtr() { ::CoTaskMemFree(pointer_); }
    T Get() const { return pointer_; }
    T* Receive()
    {
        ::CoTaskMemFree(pointer_);
        pointer_ = nullptr;
        return &pointer_;
    }

private:
    T pointer_ = nullptr;
};
