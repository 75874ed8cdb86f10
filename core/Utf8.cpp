#include "Utf8.h"

#include <cstdint>

namespace tombreli {

std::optional<Utf8Sequence> DecodeUtf8(std::string_view bytes, Surrogates surrogates)
{
    if (bytes.empty()) {
        return std::nullopt;
    }
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint8_t>(bytes[i]);
    };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        return Utf8Sequence{lead, 1};
    }
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    char32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED && surrogates == Surrogates::Refused ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return std::nullopt;
    }
    if (bytes.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byte(i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
            return std::nullopt;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    return Utf8Sequence{value, length};
}

void AppendUtf8(std::string& out, char32_t c)
{
    const auto put = [&](std::uint32_t b) {
        out += static_cast<char>(b);
    };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6));
        put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18));
        put(0x80 | ((c >> 12) & 0x3F));
        put(0x80 | ((c >> 6) & 0x3F));
        put(0x80 | (c & 0x3F));
    }
}

} // namespace tombreli
