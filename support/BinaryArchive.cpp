#include "support/BinaryArchive.h"

#include <windows.h>

#include <climits>

void BinaryWriter::WriteUInt16(uint16_t value)
{
    WriteByte(static_cast<uint8_t>(value & 0xFF));
    WriteByte(static_cast<uint8_t>(value >> 8));
}

void BinaryWriter::WriteUInt32(uint32_t value)
{
    WriteUInt16(static_cast<uint16_t>(value & 0xFFFF));
    WriteUInt16(static_cast<uint16_t>(value >> 16));
}

void BinaryWriter::WriteInt32(int32_t value)
{
    WriteUInt32(static_cast<uint32_t>(value));
}

void BinaryWriter::WriteString(std::wstring_view text)
{
    WriteByte(0xFF);
    WriteUInt16(0xFFFE);
    const size_t length = text.size();
    if (length < 0xFF) {
        WriteByte(static_cast<uint8_t>(length));
    } else if (length < 0xFFFE) {
        WriteByte(0xFF);
        WriteUInt16(static_cast<uint16_t>(length));
    } else {
        WriteByte(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<uint32_t>(length));
    }
    for (wchar_t ch : text)
        WriteUInt16(static_cast<uint16_t>(ch));
}

bool BinaryReader::Take(size_t count, const char*& data)
{
    if (failed_ || count > Remaining())
        return Fail();
    data = bytes_.data() + position_;
    position_ += count;
    return true;
}

bool BinaryReader::ReadByte(uint8_t& value)
{
    const char* data = nullptr;
    if (!Take(1, data))
        return false;
    value = static_cast<uint8_t>(data[0]);
    return true;
}

bool BinaryReader::ReadUInt16(uint16_t& value)
{
    const char* data = nullptr;
    if (!Take(2, data))
        return false;
    value = static_cast<uint16_t>(static_cast<uint8_t>(data[0]) |
                                  (static_cast<uint8_t>(data[1]) << 8));
    return true;
}

bool BinaryReader::ReadUInt32(uint32_t& value)
{
    uint16_t low = 0, high = 0;
    if (!ReadUInt16(low) || !ReadUInt16(high))
        return false;
    value = static_cast<uint32_t>(low) | (static_cast<uint32_t>(high) << 16);
    return true;
}

bool BinaryReader::ReadInt32(int32_t& value)
{
    uint32_t raw = 0;
    if (!ReadUInt32(raw))
        return false;
    value = static_cast<int32_t>(raw);
    return true;
}

bool BinaryReader::ReadString(std::wstring& text)
{
    bool wide = false;
    uint32_t length = 0;
    // At most two rounds: the UTF-16 marker, then the real length.
    for (int round = 0;; ++round) {
        uint8_t shortLength = 0;
        if (!ReadByte(shortLength))
            return false;
        if (shortLength < 0xFF) {
            length = shortLength;
            break;
        }
        uint16_t mediumLength = 0;
        if (!ReadUInt16(mediumLength))
            return false;
        if (mediumLength == 0xFFFE) {
            if (wide || round > 0)
                return Fail();
            wide = true;
            continue;
        }
        if (mediumLength < 0xFFFE) {
            length = mediumLength;
            break;
        }
        if (!ReadUInt32(length))
            return false;
        break;
    }

    // A length beyond the bytes left means a damaged file: stop here rather
    // than allocate what the length claims.
    const size_t byteCount = wide ? static_cast<size_t>(length) * 2 : length;
    const char* data = nullptr;
    if (!Take(byteCount, data))
        return false;

    if (wide) {
        text.resize(length);
        for (uint32_t i = 0; i < length; ++i)
            text[i] = static_cast<wchar_t>(static_cast<uint8_t>(data[2 * i]) |
                                           (static_cast<uint8_t>(data[2 * i + 1]) << 8));
        return true;
    }
    text.clear();
    if (length == 0)
        return true;
    if (length > INT_MAX)
        return Fail();
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, data, static_cast<int>(length), nullptr, 0);
    if (wideLength <= 0)
        return Fail();
    text.resize(static_cast<size_t>(wideLength));
    MultiByteToWideChar(CP_ACP, 0, data, static_cast<int>(length), text.data(), wideLength);
    return true;
}
