#include "Wtf8.h"

#include "Utf8.h"

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

// Decodes `text`; on a bad sequence either gives up or puts U+FFFD for one byte.
bool decode(std::string_view text, std::wstring& wide, bool lenient)
{
    wide.clear();
    wide.reserve(text.size());
    bool afterLeadSurrogate = false;
    for (std::size_t i = 0; i < text.size();) {
        const std::optional<Utf8Sequence> decoded = DecodeUtf8(text.substr(i), Surrogates::Allowed);
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
        AppendUtf8(out, c);
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
