#include "DisplayName.h"

#include "Utf8.h"

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

void appendCodePointEscape(std::string& out, char32_t c)
{
    out += c <= 0xFFFF ? "\\u" : "\\U";
    appendHex(out, c, c <= 0xFFFF ? 4 : 8);
}

// Walks `name` a character at a time: calls each(bytes, codePoint, last)
// for every character, and for every byte that is not valid UTF-8, with no
// code point.
template <typename Each> void forEachCharacter(std::string_view name, Each each)
{
    std::size_t i = 0;
    while (i < name.size()) {
        const std::optional<Utf8Sequence> decoded = DecodeUtf8(name.substr(i));
        const std::size_t length = decoded ? decoded->length : 1;
        each(name.substr(i, length), decoded ? std::optional<char32_t>(decoded->codePoint) : std::nullopt,
             i + length == name.size());
        i += length;
    }
}

// The escapes that both spellings of a name share: a byte that is not
// text, the backslash and the control characters. False when `c` has none.
bool appendCommonEscape(std::string& out, std::string_view bytes, std::optional<char32_t> c)
{
    if (!c || *c < 0x20 || *c == 0x7F || *c == '\\') {
        switch (c.value_or(0)) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            appendByteEscape(out, bytes.front());
        }
        return true;
    }
    return false;
}

} // namespace

std::string DisplayName(std::string_view name)
{
    std::string out;
    AppendDisplayName(out, name);
    return out;
}

void AppendDisplayName(std::string& out, std::string_view name)
{
    const auto plain = [](char ch) {
        return ch >= 0x20 && ch < 0x7F && ch != '\\';
    };
    if (std::all_of(name.begin(), name.end(), plain) && !name.ends_with(' ')) {
        out += name;
        return;
    }
    out.reserve(out.size() + name.size());
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
    forEachCharacter(name, [&](std::string_view bytes, std::optional<char32_t> c, bool last) {
        escape.clear();
        if (!appendCommonEscape(escape, bytes, c)) {
            if (*c == ' ' && last) {
                appendByteEscape(escape, ' ');
            } else if (drawsNothing(*c)) {
                appendCodePointEscape(escape, *c);
            }
        }
        if (escape.empty()) {
            append(bytes, *c == 0xA5);
        } else {
            append(escape, false);
        }
    });
}

std::string SpelledOutName(std::string_view name)
{
    std::string out;
    out.reserve(name.size() * 2);
    forEachCharacter(name, [&](std::string_view bytes, std::optional<char32_t> c, bool) {
        if (appendCommonEscape(out, bytes, c)) {
            return;
        }
        if (*c == ' ') {
            appendByteEscape(out, ' ');
        } else if (*c < 0x7F) {
            out += bytes;
        } else {
            appendCodePointEscape(out, *c);
        }
    });
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
            AppendUtf8(out, *value);
        } else {
            out += text[i++];
            continue;
        }
        i += 2 + digits;
    }
    return out;
}

} // namespace tombreli
