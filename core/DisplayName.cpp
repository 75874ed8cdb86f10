#include "DisplayName.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tombreli {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";
constexpr std::string_view YenSign = "\xC2\xA5";

// What may follow the backslash of an escape, or look like a backslash.
bool startsLikeAnEscape(std::string_view piece)
{
    return piece.starts_with('\\') || piece.starts_with(YenSign) ||
           (!piece.empty() && std::string_view("ntrxuU").find(piece.front()) != std::string_view::npos);
}

struct Decoded
{
    char32_t codePoint;
    std::size_t length;
};

// The well-formed UTF-8 sequence at the start of `bytes` (Unicode's table 3-7:
// no overlong forms, no surrogates, nothing above U+10FFFF), if there is one.
std::optional<Decoded> decodeOne(std::string_view bytes)
{
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint8_t>(bytes[i]);
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
        high = lead == 0xED ? 0x9F : 0xBF;
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
    return Decoded{value, length};
}

// Characters that would hide in a list: they draw nothing, look like a plain
// space, steer the direction of the text around them, or end the line.
bool drawsNothing(char32_t c)
{
    return (c >= 0x80 && c <= 0xA0) || c == 0xAD || c == 0x34F || c == 0x61C || c == 0x115F || c == 0x1160 ||
           c == 0x17B4 || c == 0x17B5 || (c >= 0x180B && c <= 0x180F) || (c >= 0x2000 && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202F) || (c >= 0x205F && c <= 0x206F) || c == 0x3164 ||
           (c >= 0xFDD0 && c <= 0xFDEF) || (c >= 0xFE00 && c <= 0xFE0F) || c == 0xFEFF || c == 0xFFA0 ||
           (c >= 0xFFF0 && c <= 0xFFFB) || (c & 0xFFFE) == 0xFFFE || (c >= 0x1BCA0 && c <= 0x1BCA3) ||
           (c >= 0x1D173 && c <= 0x1D17A) || (c >= 0xE0000 && c <= 0xE0FFF);
}

void appendHex(std::string& out, std::uint32_t value, int digits)
{
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) {
        out += HexDigits[(value >> shift) & 0xFu];
    }
}

void appendByteEscape(std::string& out, char byte)
{
    out += "\\x";
    appendHex(out, static_cast<std::uint8_t>(byte), 2);
}

void appendUtf8(std::string& out, char32_t c)
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

std::optional<std::uint32_t> parseHex(std::string_view digits)
{
    std::uint32_t value = 0;
    for (const char d : digits) {
        value <<= 4;
        if (d >= '0' && d <= '9') {
            value |= static_cast<std::uint32_t>(d - '0');
        } else if (d >= 'A' && d <= 'F') {
            value |= static_cast<std::uint32_t>(d - 'A' + 10);
        } else if (d >= 'a' && d <= 'f') {
            value |= static_cast<std::uint32_t>(d - 'a' + 10);
        } else {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace

std::string DisplayName(std::string_view name)
{
    const auto plain = [](char ch) {
        return ch >= 0x20 && ch < 0x7F && ch != '\\';
    };
    if (std::all_of(name.begin(), name.end(), plain) && !name.ends_with(' ')) {
        return std::string(name);
    }
    std::string out;
    out.reserve(name.size());
    // Japanese fonts draw the backslash as a yen sign, so a yen sign that a
    // reader could take for the start of an escape is escaped itself.
    std::size_t keptYen = std::string::npos;
    const auto append = [&](std::string_view piece, bool isYen) {
        if (keptYen != std::string::npos && startsLikeAnEscape(piece)) {
            out.replace(keptYen, YenSign.size(), "\\u00A5");
        }
        keptYen = isYen ? out.size() : std::string::npos;
        out += piece;
    };
    std::string escape;
    std::size_t i = 0;
    while (i < name.size()) {
        const std::optional<Decoded> decoded = decodeOne(name.substr(i));
        escape.clear();
        if (!decoded) {
            appendByteEscape(escape, name[i]);
            append(escape, false);
            ++i;
            continue;
        }
        const char32_t c = decoded->codePoint;
        if (c == '\\') {
            escape = "\\\\";
        } else if (c == '\t') {
            escape = "\\t";
        } else if (c == '\n') {
            escape = "\\n";
        } else if (c == '\r') {
            escape = "\\r";
        } else if (c < 0x20 || c == 0x7F || (c == ' ' && i + 1 == name.size())) {
            appendByteEscape(escape, name[i]);
        } else if (drawsNothing(c)) {
            escape = c <= 0xFFFF ? "\\u" : "\\U";
            appendHex(escape, c, c <= 0xFFFF ? 4 : 8);
        }
        if (escape.empty()) {
            append(name.substr(i, decoded->length), c == 0xA5);
        } else {
            append(escape, false);
        }
        i += decoded->length;
    }
    return out;
}

std::string SpelledOutName(std::string_view name)
{
    std::string out;
    out.reserve(name.size() * 2);
    std::size_t i = 0;
    while (i < name.size()) {
        const std::optional<Decoded> decoded = decodeOne(name.substr(i));
        if (!decoded) {
            appendByteEscape(out, name[i++]);
            continue;
        }
        const char32_t c = decoded->codePoint;
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c <= ' ' || c == 0x7F) {
            appendByteEscape(out, name[i]);
        } else if (c < 0x7F) {
            out += name[i];
        } else {
            out += c <= 0xFFFF ? "\\u" : "\\U";
            appendHex(out, c, c <= 0xFFFF ? 4 : 8);
        }
        i += decoded->length;
    }
    return out;
}

std::string NameFromDisplay(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i++];
            continue;
        }
        const char kind = text[i + 1];
        if (kind == '\\' || kind == 't' || kind == 'n' || kind == 'r') {
            out += kind == '\\' ? '\\' : kind == 't' ? '\t' : kind == 'n' ? '\n' : '\r';
            i += 2;
            continue;
        }
        const std::size_t digits = kind == 'x' ? 2 : kind == 'u' ? 4 : kind == 'U' ? 8 : 0;
        const std::optional<std::uint32_t> value = digits != 0 && text.size() - i - 2 >= digits
                                                       ? parseHex(text.substr(i + 2, digits))
                                                       : std::nullopt;
        if (value && kind == 'x') {
            out += static_cast<char>(*value);
        } else if (value && *value <= 0x10FFFF && (*value < 0xD800 || *value > 0xDFFF)) {
            appendUtf8(out, *value);
        } else {
            out += text[i++];
            continue;
        }
        i += 2 + digits;
    }
    return out;
}

} // namespace tombreli
