#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tombreli::test {

// Whether `text` is well-formed UTF-8 (Unicode's table 3-7), checked apart
// from the code under test.
inline bool isUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = [&](std::size_t k) {
            return static_cast<std::uint8_t>(text[k]);
        };
        std::size_t n = b(i) < 0x80   ? 1
                        : b(i) < 0xC2 ? 0
                        : b(i) < 0xE0 ? 2
                        : b(i) < 0xF0 ? 3
                        : b(i) < 0xF5 ? 4
                                      : 0;
        if (n == 0 || i + n > text.size()) {
            return false;
        }
        std::uint32_t c = n == 1 ? b(i) : b(i) & (0x7Fu >> n);
        for (std::size_t k = 1; k < n; ++k) {
            if ((b(i + k) & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (b(i + k) & 0x3Fu);
        }
        const std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < least[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        i += n;
    }
    return true;
}

} // namespace tombreli::test
