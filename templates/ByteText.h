#pragma once

#include <string>
#include <string_view>

// Byte notation of Byte and Undefined EXIF values: bytes as two-digit
// hexadecimal numbers separated by spaces ("41 00 62 00 00 00").

// Every UTF-16 code unit as its low and high byte, then the terminating zero
// of the text: "Ab" gives "41 00 62 00 00 00".
std::wstring TextToByteString(std::wstring_view text);

// One character per byte of a byte text: a nonzero byte is the character
// with that code, a zero byte (or a piece that is not hexadecimal) is ".".
// "41 00 62 00 00 00" previews as "A.b...".
std::wstring BytePreviewText(std::wstring_view byteText);
