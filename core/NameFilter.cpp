#include "core/NameFilter.h"

namespace {

wchar_t FoldAscii(wchar_t ch)
{
    return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

// Compares in place instead of lower-casing a copy of every name: the filter
// runs over the whole list at each keystroke.
bool EqualAt(std::wstring_view name, size_t offset, std::wstring_view part, bool foldName)
{
    for (size_t i = 0; i < part.size(); ++i) {
        const wchar_t ch = foldName ? FoldAscii(name[offset + i]) : name[offset + i];
        if (ch != part[i])
            return false;
    }
    return true;
}

bool BeginsWith(std::wstring_view name, std::wstring_view part, bool foldName)
{
    return part.size() <= name.size() && EqualAt(name, 0, part, foldName);
}

bool EndsWith(std::wstring_view name, std::wstring_view part, bool foldName)
{
    return part.size() <= name.size() && EqualAt(name, name.size() - part.size(), part, foldName);
}

bool Contains(std::wstring_view name, std::wstring_view part, bool foldName)
{
    if (part.size() > name.size())
        return false;
    for (size_t offset = 0; offset + part.size() <= name.size(); ++offset) {
        if (EqualAt(name, offset, part, foldName))
            return true;
    }
    return false;
}

}  // namespace

std::wstring NextFilterToken(const std::wstring& text, int& position)
{
    if (position < 0)
        return {};
    const size_t start = static_cast<size_t>(position);
    if (start < text.size()) {
        const size_t bar = text.find(L'|', start);
        if (bar != std::wstring::npos) {
            position = static_cast<int>(bar + 1);
            return text.substr(start, bar - start);
        }
    }
    position = -1;
    return start < text.size() ? text.substr(start) : std::wstring();
}

std::wstring AsciiLower(std::wstring_view text)
{
    std::wstring lower(text);
    for (wchar_t& ch : lower)
        ch = FoldAscii(ch);
    return lower;
}

FilterPiece FilterPiece::Parse(std::wstring_view piece)
{
    FilterPiece parsed;
    const size_t star = piece.find(L'*');
    if (star == std::wstring_view::npos) {
        parsed.kind = Kind::Contains;
        parsed.head = piece;
    } else if (star == 0) {
        parsed.kind = Kind::EndsWith;
        parsed.tail = piece.substr(1);
    } else if (star + 1 == piece.size()) {
        parsed.kind = Kind::BeginsWith;
        parsed.head = piece.substr(0, star);
    } else {
        parsed.kind = Kind::BeginsAndEnds;
        parsed.head = piece.substr(0, star);
        parsed.tail = piece.substr(star + 1);
    }
    return parsed;
}

bool FilterPiece::Matches(std::wstring_view name, bool foldName) const
{
    switch (kind) {
    case Kind::Contains:
        return Contains(name, head, foldName);
    case Kind::EndsWith:
        return EndsWith(name, tail, foldName);
    case Kind::BeginsWith:
        return BeginsWith(name, head, foldName);
    case Kind::BeginsAndEnds:
        return BeginsWith(name, head, foldName) && EndsWith(name, tail, foldName);
    }
    return false;
}

NameFilter::NameFilter(const std::wstring& filterText, bool caseSensitive, bool exclude)
    : empty_(filterText.empty()), caseSensitive_(caseSensitive), exclude_(exclude)
{
    const std::wstring text = caseSensitive ? filterText : AsciiLower(filterText);
    int position = 0;
    for (;;) {
        const std::wstring piece = NextFilterToken(text, position);
        if (piece.empty())
            break;  // also ends "a||b" after a, and makes "|b" match nothing
        pieces_.push_back(FilterPiece::Parse(piece));
    }
}

bool NameFilter::Shows(std::wstring_view fullPath) const
{
    if (empty_)
        return true;
    const size_t slash = fullPath.rfind(L'\\');
    const std::wstring_view name =
        slash == std::wstring_view::npos ? fullPath : fullPath.substr(slash + 1);
    for (const FilterPiece& piece : pieces_) {
        if (piece.Matches(name, !caseSensitive_))
            return !exclude_;
    }
    return exclude_;
}
