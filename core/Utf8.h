#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tombreli {

struct Utf8Sequence
{
    char32_t codePoint;
    std::size_t length; // in bytes
};

enum class Surrogates
{
    Refused, // UTF-8
    Allowed, // WTF-8, which keeps lone surrogates of UTF-16 names
};

// The well-formed sequence at the start of `bytes` (Unicode's table 3-7: no
// overlong forms, nothing above U+10FFFF, surrogates only where allowed), or
// nothing when `bytes` does not begin with one.
std::optional<Utf8Sequence> DecodeUtf8(std::string_view bytes, Surrogates surrogates = Surrogates::Refused);

// Appends the UTF-8 (or, for a surrogate, WTF-8) bytes of one code point.
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace tombreli
