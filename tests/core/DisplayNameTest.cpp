#include "DisplayName.h"

#include "Utf8Check.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>

namespace tombreli {
namespace {

using namespace std::string_literals;

struct Shown
{
    const char* title;
    std::string name;
    std::string text;
};

void PrintTo(const Shown& c, std::ostream* out)
{
    *out << c.title;
}

class DisplayNameCases : public testing::TestWithParam<Shown>
{};

TEST_P(DisplayNameCases, ShowsTheNameAndReadsItBack)
{
    const Shown& c = GetParam();
    EXPECT_EQ(DisplayName(c.name), c.text);
    EXPECT_EQ(NameFromDisplay(c.text), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, DisplayNameCases,
    testing::Values(
        Shown{"Ascii", "Readme.txt", "Readme.txt"}, Shown{"Japanese", "表ソ 計算.txt", "表ソ 計算.txt"},
        Shown{"FourByteCharacter", "\xF0\x9F\x93\x81.png", "\xF0\x9F\x93\x81.png"},
        Shown{"IdeographicSpaceKept",
              "a\xE3\x80\x80"
              "b",
              "a\xE3\x80\x80"
              "b"},
        Shown{"InnerSpaceKept", "a b", "a b"}, Shown{"FinalSpace", "a ", "a\\x20"},
        Shown{"OnlySpaces", "  ", " \\x20"}, Shown{"Backslash", "a\\x89", "a\\\\x89"},
        Shown{"LineBreaks", "a\nb\r\tc", "a\\nb\\r\\tc"},
        Shown{"OtherControls", "\x01\x1F\x7F"s + "\0"s, "\\x01\\x1F\\x7F\\x00"},
        Shown{"InvalidByte", "\x89.txt", "\\x89.txt"}, Shown{"ShiftJis", "\x95\x5C", "\\x95\\\\"},
        Shown{"Latin1", "caf\xE9", "caf\\xE9"}, Shown{"TruncatedSequence", "\xE3\x81", "\\xE3\\x81"},
        Shown{"BrokenSequence",
              "\xE3\x81"
              "A",
              "\\xE3\\x81A"},
        Shown{"Overlong", "\xC0\xAF", "\\xC0\\xAF"}, Shown{"Surrogate", "\xED\xA0\x80", "\\xED\\xA0\\x80"},
        Shown{"BeyondUnicode", "\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        Shown{"C1Control",
              "a\xC2\x85"
              "b",
              "a\\u0085b"},
        Shown{"NoBreakSpace",
              "a\xC2\xA0"
              "b",
              "a\\u00A0b"},
        Shown{"LineSeparator",
              "a\xE2\x80\xA8"
              "b",
              "a\\u2028b"},
        Shown{"ParagraphSeparator", "\xE2\x80\xA9", "\\u2029"},
        Shown{"RightToLeftOverride", "\xE2\x80\xAEtxt.exe", "\\u202Etxt.exe"},
        Shown{"ZeroWidthSpace", "a\xE2\x80\x8B", "a\\u200B"},
        Shown{"ByteOrderMark",
              "\xEF\xBB\xBF"
              "a",
              "\\uFEFFa"},
        Shown{"NonCharacter", "\xEF\xBF\xBF", "\\uFFFF"},
        Shown{"ReplacementCharacterKept", "\xEF\xBF\xBD", "\xEF\xBF\xBD"},
        Shown{"Tag", "\xF3\xA0\x80\x81", "\\U000E0001"},
        Shown{"YenSignKept",
              "\xC2\xA5"
              "1000.txt",
              "\xC2\xA5"
              "1000.txt"},
        Shown{"YenSignBeforeEscapeLetter", "\xC2\xA5x89", "\\u00A5x89"},
        Shown{"YenSignBeforeYenSign", "\xC2\xA5\xC2\xA5", "\\u00A5\xC2\xA5"},
        Shown{"YenSignBeforeEscapedByte", "\xC2\xA5\n", "\\u00A5\\n"}),
    [](const testing::TestParamInfo<Shown>& param) { return param.param.title; });

// The text as a Japanese font draws it: every backslash as a yen sign.
std::string asDrawn(const std::string& text)
{
    std::string drawn;
    for (const char ch : text) {
        drawn += ch == '\\' ? "\xC2\xA5"s : std::string(1, ch);
    }
    return drawn;
}

bool staysOnOneLine(const std::string& text)
{
    for (const std::string& lineEnd :
         {"\n"s, "\r"s, "\v"s, "\f"s, "\xC2\x85"s, "\xE2\x80\xA8"s, "\xE2\x80\xA9"s}) {
        if (text.find(lineEnd) != std::string::npos) {
            return false;
        }
    }
    return true;
}

// Names built from pieces that are hard to show: bytes of every kind, pieces
// of UTF-8 sequences, whole characters that hide, and text that looks like an escape.
std::string generatedName(std::mt19937& random)
{
    static const std::string pieces[] = {
        "a",
        "Z",
        " ",
        "\\",
        "\\x",
        "\\u",
        "\\U",
        "x4",
        "00",
        "FE",
        "\n",
        "\r",
        "\t",
        "\0"s,
        "\x7F",
        "\x80",
        "\x89",
        "\xBF",
        "\xC2",
        "\xE3",
        "\xED",
        "\xF0",
        "\xF4",
        "\xFF",
        "\xE3\x81\x82",
        "\xC2\x85",
        "\xC2\xA0",
        "\xC2\xA5",
        "n",
        "x",
        "u",
        "\xE2\x80\xA8",
        "\xE2\x80\xAE",
        "\xEF\xBB\xBF",
        "\xF0\x9F\x98\x80",
        "\xF3\xA0\x80\x81",
    };
    std::uniform_int_distribution<std::size_t> count(0, 8);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::string name;
    for (std::size_t n = count(random); n > 0; --n) {
        if (piece(random) == 0) {
            name += static_cast<char>(anyByte(random));
        } else {
            name += pieces[piece(random)];
        }
    }
    return name;
}

TEST(DisplayName, IsOneLineOfUtf8ThatReadsBackOnGeneratedNames)
{
    std::mt19937 random(20261211);
    std::set<std::string> names;
    std::set<std::string> texts;
    std::set<std::string> drawn;
    for (int round = 0; round < 20000; ++round) {
        const std::string name = generatedName(random);
        const std::string text = DisplayName(name);
        SCOPED_TRACE(testing::PrintToString(name));
        ASSERT_TRUE(test::isUtf8(text)) << testing::PrintToString(text);
        ASSERT_TRUE(staysOnOneLine(text)) << testing::PrintToString(text);
        ASSERT_EQ(NameFromDisplay(text), name);
        names.insert(name);
        texts.insert(text);
        drawn.insert(asDrawn(text));
    }
    // Different names, different texts, even where the backslash looks like a yen sign.
    EXPECT_EQ(texts.size(), names.size());
    EXPECT_EQ(drawn.size(), names.size());
}

TEST(NameFromDisplay, KeepsWhatIsNoEscape)
{
    EXPECT_EQ(NameFromDisplay("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(NameFromDisplay("a\\"), "a\\");
    EXPECT_EQ(NameFromDisplay("\\x8"), "\\x8");
    EXPECT_EQ(NameFromDisplay("\\xG1"), "\\xG1");
    EXPECT_EQ(NameFromDisplay("\\uD800"), "\\uD800");
    EXPECT_EQ(NameFromDisplay("\\U00110000"), "\\U00110000");
    EXPECT_EQ(NameFromDisplay("/tmp/\\x89\\u00a0"), "/tmp/\x89\xC2\xA0");
}

} // namespace
} // namespace tombreli
