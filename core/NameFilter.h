#pragma once

#include <string>
#include <string_view>
#include <vector>

// The file view's name filter: pieces separated by "|", each matched against
// the name after the last backslash of an entry.

// Returns the next piece of `text` from `position` and moves `position` past
// the "|" that ends it; after the last piece `position` is -1, and a negative
// position gives the empty text.
std::wstring NextFilterToken(const std::wstring& text, int& position);

// Lower-cases A to Z only: other letters keep their case, so that a filter
// without "Case" still tells É from é.
std::wstring AsciiLower(std::wstring_view text);

// One piece of the filter. The first "*" decides how it matches: none means
// "occurs anywhere in the name", first means "the name ends with the rest",
// last means "the name begins with the rest", inside means "begins with the
// part before and ends with the part after" (the two may overlap). Any
// further "*" is an ordinary character.
struct FilterPiece {
    enum class Kind { Contains, EndsWith, BeginsWith, BeginsAndEnds };

    static FilterPiece Parse(std::wstring_view piece);

    // With `foldName`, A to Z of the name compare as a to z; the piece is
    // then expected to be lower-cased already.
    bool Matches(std::wstring_view name, bool foldName = false) const;

    Kind kind = Kind::Contains;
    std::wstring head;  // Contains, BeginsWith, BeginsAndEnds
    std::wstring tail;  // EndsWith, BeginsAndEnds
};

// A filter prepared once for a whole pass over the file list: the text is
// split and lower-cased in the constructor, so Shows() allocates nothing.
class NameFilter {
public:
    NameFilter(const std::wstring& filterText, bool caseSensitive, bool exclude);

    // Whether the entry stays in the view.
    bool Shows(std::wstring_view fullPath) const;

private:
    std::vector<FilterPiece> pieces_;
    bool empty_ = true;
    bool caseSensitive_ = false;
    bool exclude_ = false;
};
