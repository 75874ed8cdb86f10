#pragma once

namespace tombreli {

// The letters A to Z in lower case, every other byte as it is: the folding
// that holds whatever the character set, even within a double-byte one.
constexpr char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace tombreli
