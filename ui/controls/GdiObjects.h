#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

// Owns an icon made by LoadImageW/CreateIcon* (never a shared one).
class UniqueIcon {
public:
    UniqueIcon() = default;
    explicit UniqueIcon(HICON icon) : icon_(icon) {}
    UniqueIcon(UniqueIcon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
    UniqueIcon& operator=(UniqueIcon&& other) noexcept
    {
        if (this != &other) {
            Reset();
            icon_ = std::exchange(other.icon_, nullptr);
        }
        return *this;
    }
    UniqueIcon(const UniqueIcon&) = delete;
    UniqueIcon& operator=(const UniqueIcon&) = delete;
    ~UniqueIcon() { Reset(); }

    HICON Get() const { return icon_; }
    explicit operator bool() const { return icon_ != nullptr; }
    void Reset()
    {
        if (icon_ != nullptr)
            ::DestroyIcon(icon_);
        icon_ = nullptr;
    }

private:
    HICON icon_ = nullptr;
};

// Loads icon resource `id` of this module at the given size.
inline UniqueIcon LoadIconResource(int id, int size)
{
    return UniqueIcon(static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr),
                                                      MAKEINTRESOURCEW(id), IMAGE_ICON, size, size,
                                                      LR_DEFAULTCOLOR)));
}

// Owns an image list.
class UniqueImageList {
public:
    UniqueImageList() = default;
    explicit UniqueImageList(HIMAGELIST list) : list_(list) {}
    UniqueImageList(UniqueImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    UniqueImageList& operator=(UniqueImageList&& other) noexcept
    {
        if (this != &other) {
            Reset();
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }
    UniqueImageList(const UniqueImageList&) = delete;
    UniqueImageList& operator=(const UniqueImageList&) = delete;
    ~UniqueImageList() { Reset(); }

    HIMAGELIST Get() const { return list_; }
    void Reset()
    {
        if (list_ != nullptr)
            ImageList_Destroy(list_);
        list_ = nullptr;
    }

private:
    HIMAGELIST list_ = nullptr;
};
