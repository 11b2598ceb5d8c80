#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Little-endian binary fields in the layout of the settings file: 32-bit
// integers and length-prefixed strings.
//
// A string is written as the marker FF FE FF (UTF-16 follows), its length in
// characters (one byte below 255; else FF and 16 bits below 0xFFFE; else
// FF FF FF and 32 bits), then its characters as UTF-16LE. A string without
// the marker is taken as ANSI bytes when reading.
class BinaryWriter {
public:
    void WriteInt32(int32_t value);
    void WriteByte(uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void WriteUInt16(uint16_t value);
    void WriteUInt32(uint32_t value);
    void WriteString(std::wstring_view text);

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads what BinaryWriter wrote. Every read checks the bytes left first; the
// first read that runs past the end (or meets a malformed string) fails, and
// so does every read after it, so a reader can stop at the first false.
class BinaryReader {
public:
    explicit BinaryReader(std::string_view bytes) : bytes_(bytes) {}

    bool ReadInt32(int32_t& value);
    bool ReadByte(uint8_t& value);
    bool ReadUInt16(uint16_t& value);
    bool ReadUInt32(uint32_t& value);
    bool ReadString(std::wstring& text);

    bool Failed() const { return failed_; }
    size_t Remaining() const { return bytes_.size() - position_; }

private:
    bool Take(size_t count, const char*& data);
    bool Fail()
    {
        failed_ = true;
        return false;
    }

    std::string_view bytes_;
    size_t position_ = 0;
    bool failed_ = false;
};
