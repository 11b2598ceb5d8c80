#pragma once

#include <string>

// Whole-file helpers. A "byte string" is a std::string used as a buffer of
// arbitrary bytes (zeros included); paths are always wide.

// False for an empty path; a folder counts as existing.
bool FileExists(const std::wstring& path);

// Reads the whole file into `bytes`. Returns its size when every byte was
// read, -1 otherwise (missing, locked, short read, or too large for the
// result). `bytes` ends up with the file's size as its length when the size
// could be read.
int ReadWholeFile(const std::wstring& path, std::string& bytes);

// Replaces the file's content by `bytes`; true only when every byte was written.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

// True when the file does not exist afterwards because it never did;
// otherwise the result of deleting it.
bool DeleteFileIfExists(const std::wstring& path);

// UTF-8 to UTF-16 and back; invalid sequences are replaced as the system does.
std::wstring Utf8ToWide(const std::string& bytes);
std::string WideToUtf8(const std::wstring& text);
