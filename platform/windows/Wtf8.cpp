#include "Wtf8.h"

#include <cstdint>
#include <optional>

namespace tombreli {

namespace {

bool isLeadSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}

bool isTrailSurrogate(char32_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

void appendCodePoint(std::string& out, char32_t c)
{
    const auto put = [&](char32_t b) {
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

void appendUnit(std::wstring& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<wchar_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    }
}

struct Decoded
{
    char32_t codePoint;
    std::size_t length;
};

// The generalised UTF-8 sequence at `text[at]`: UTF-8's table of well-formed
// sequences with the surrogates let in.
std::optional<Decoded> decodeOne(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint8_t>(text[at + i]);
    };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) {
        return Decoded{lead, 1};
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
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return std::nullopt;
    }
    if (text.size() - at < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = byte(i);
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
            return std::nullopt;
        }
        value = (value << 6) | (next & 0x3Fu);
    }
    return Decoded{value, length};
}

// Decodes `text`; on a bad sequence either gives up or puts U+FFFD for one byte.
bool decode(std::string_view text, std::wstring& wide, bool lenient)
{
    wide.clear();
    wide.reserve(text.size());
    bool afterLeadSurrogate = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::optional<Decoded> decoded = decodeOne(text, i);
        if (!decoded || (afterLeadSurrogate && isTrailSurrogate(decoded->codePoint))) {
            if (!lenient) {
                return false;
            }
            wide += L'\xFFFD';
            afterLeadSurrogate = false;
            ++i;
            continue;
        }
        afterLeadSurrogate = isLeadSurrogate(decoded->codePoint);
        appendUnit(wide, decoded->codePoint);
        i += decoded->length;
    }
    return true;
}

} // namespace

std::string wtf8FromWide(std::wstring_view wide)
{
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t c = static_cast<char16_t>(wide[i]);
        if (isLeadSurrogate(c) && i + 1 < wide.size() &&
            isTrailSurrogate(static_cast<char16_t>(wide[i + 1]))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(wide[++i]) - 0xDC00u);
        }
        appendCodePoint(out, c);
    }
    return out;
}

bool wideFromWtf8(std::string_view text, std::wstring& wide)
{
    return decode(text, wide, false);
}

std::wstring wideFromWtf8Lenient(std::string_view text)
{
    std::wstring wide;
    decode(text, wide, true);
    return wide;
}

} // namespace tombreli
