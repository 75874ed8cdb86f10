#pragma once

#include <string>
#include <string_view>

namespace tombreli {

// Names and paths are kept inside as UTF-8; Windows hands out UTF-16 that need
// not be valid, since a file name may hold a lone surrogate. WTF-8 carries
// those as the three bytes UTF-8 would give any other code point below
// U+10000, so every UTF-16 string has exactly one WTF-8 form and back: two
// different names never meet, and a listed name always finds its file again.
// Valid UTF-16 gives plain UTF-8.
static_assert(sizeof(wchar_t) == 2, "Windows' wide characters are UTF-16 code units");

std::string wtf8FromWide(std::wstring_view wide);

// The UTF-16 that `text` stands for; false when it is not well-formed WTF-8
// (a stray byte, an overlong form, a surrogate pair written as two halves,
// which would be a second spelling of one name). `wide` is then of no use.
bool wideFromWtf8(std::string_view text, std::wstring& wide);

// As wideFromWtf8, but each byte that is not part of a well-formed sequence
// becomes U+FFFD: for collating names that did not come from the system.
std::wstring wideFromWtf8Lenient(std::string_view text);

} // namespace tombreli
