#include "Wtf8.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tombreli {
namespace {

struct RoundTrip
{
    const char* title;
    std::wstring wide;
    std::string bytes;
};

void PrintTo(const RoundTrip& c, std::ostream* out)
{
    *out << c.title;
}

class Wtf8RoundTrip : public testing::TestWithParam<RoundTrip>
{};

TEST_P(Wtf8RoundTrip, MapsEachWayExactly)
{
    const RoundTrip& c = GetParam();
    EXPECT_EQ(wtf8FromWide(c.wide), c.bytes);
    std::wstring back;
    ASSERT_TRUE(wideFromWtf8(c.bytes, back));
    EXPECT_EQ(back, c.wide);
    EXPECT_EQ(wideFromWtf8Lenient(c.bytes), c.wide);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Wtf8RoundTrip,
    testing::Values(RoundTrip{"Empty", L"", ""}, RoundTrip{"Ascii", L"Readme.TXT", "Readme.TXT"},
                    RoundTrip{"TwoBytes", L"caf\u00E9", "caf\xC3\xA9"},
                    RoundTrip{"ThreeBytes", L"\u30BD\u8868", "\xE3\x82\xBD\xE8\xA1\xA8"},
                    RoundTrip{"Korean", L"\uD55C\uAD6D.txt", "\xED\x95\x9C\xEA\xB5\xAD.txt"},
                    RoundTrip{"PairIsOneCodePoint", L"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
                    RoundTrip{"HighestCodePoint", L"\xDBFF\xDFFF", "\xF4\x8F\xBF\xBF"},
                    RoundTrip{"LoneLeadSurrogate",
                              L"a\xD800"
                              L"b",
                              "a\xED\xA0\x80"
                              "b"},
                    RoundTrip{"LoneTrailSurrogate", L"\xDC00", "\xED\xB0\x80"},
                    RoundTrip{"LeadAtTheEnd", L"x\xDBFF", "x\xED\xAF\xBF"},
                    RoundTrip{"TrailThenLeadIsNoPair", L"\xDC00\xD800", "\xED\xB0\x80\xED\xA0\x80"},
                    RoundTrip{"TwoLeads", L"\xD800\xD800", "\xED\xA0\x80\xED\xA0\x80"},
                    RoundTrip{"LastBelowSurrogates", L"\xD7FF\xE000\xFFFF",
                              "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"}),
    [](const testing::TestParamInfo<RoundTrip>& param) { return param.param.title; });

// No two names may meet: every code unit alone, and next to a surrogate, keeps its own form.
TEST(Wtf8, GivesEverySingleCodeUnitItsOwnForm)
{
    std::set<std::string> seen;
    for (unsigned unit = 0; unit <= 0xFFFF; ++unit) {
        const std::wstring text(1, static_cast<wchar_t>(unit));
        const std::string bytes = wtf8FromWide(text);
        EXPECT_TRUE(seen.insert(bytes).second) << std::hex << unit;
        std::wstring back;
        ASSERT_TRUE(wideFromWtf8(bytes, back)) << std::hex << unit;
        ASSERT_EQ(back, text) << std::hex << unit;
        for (const wchar_t neighbour : {L'\xD800', L'\xDC00'}) {
            const std::wstring pair = std::wstring(1, neighbour) + text;
            ASSERT_TRUE(wideFromWtf8(wtf8FromWide(pair), back)) << std::hex << unit;
            ASSERT_EQ(back, pair) << std::hex << unit;
        }
    }
}

struct BadText
{
    const char* title;
    std::string bytes;
    std::wstring lenient;
};

void PrintTo(const BadText& c, std::ostream* out)
{
    *out << c.title;
}

class Wtf8Refuses : public testing::TestWithParam<BadText>
{};

TEST_P(Wtf8Refuses, TextThatIsNotWellFormed)
{
    const BadText& c = GetParam();
    std::wstring wide;
    EXPECT_FALSE(wideFromWtf8(c.bytes, wide));
    EXPECT_EQ(wideFromWtf8Lenient(c.bytes), c.lenient);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Wtf8Refuses,
    testing::Values(BadText{"StrayContinuation",
                            "a\x80"
                            "b",
                            L"a\xFFFD"
                            L"b"},
                    BadText{"Latin1", "caf\xE9", L"caf\xFFFD"},
                    BadText{"OverlongSlash", "\xC0\xAF", L"\xFFFD\xFFFD"},
                    BadText{"OverlongThreeBytes", "\xE0\x80\xAF", L"\xFFFD\xFFFD\xFFFD"},
                    BadText{"Truncated", "\xE3\x82", L"\xFFFD\xFFFD"},
                    BadText{"AboveTheLastCodePoint", "\xF4\x90\x80\x80", L"\xFFFD\xFFFD\xFFFD\xFFFD"},
                    // A second spelling of U+1F600 would name the same file as the first.
                    BadText{"PairWrittenAsHalves", "\xED\xA0\xBD\xED\xB8\x80", L"\xD83D\xFFFD\xFFFD\xFFFD"}),
    [](const testing::TestParamInfo<BadText>& param) { return param.param.title; });

} // namespace
} // namespace tombreli
