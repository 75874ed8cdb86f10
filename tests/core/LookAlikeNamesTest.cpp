#include "DisplayName.h"

#include <gtest/gtest.h>

#include <string>

namespace tombreli {
namespace {

using namespace std::string_literals;

// Names that a reader cannot tell apart as they are shown, spelled out so
// that the difference is plain to see, and read back to the same bytes.
TEST(SpelledOutName, TellsLookAlikesApart)
{
    const struct
    {
        std::string name;
        std::string spelled;
    } cases[] = {
        {"caf\xC3\xA9", "caf\\u00E9"},                          // é composed (NFC)
        {"cafe\xCC\x81", "cafe\\u0301"},                        // e and a combining accent (NFD)
        {"\xE3\x82\xAC", "\\u30AC"},                            // ガ
        {"\xE3\x82\xAB\xE3\x82\x99", "\\u30AB\\u3099"},         // カ and a combining voiced mark
        {"p\xD0\xB0ypal", "p\\u0430ypal"},                      // a Cyrillic а
        {"trail ", "trail\\x20"},                               // a space at the end
        {" two  spaces", "\\x20two\\x20\\x20spaces"},           // each space counted
        {"\xE3\x80\x80", "\\u3000"},                            // an ideographic space
        {"\xF0\x9F\x93\x81", "\\U0001F4C1"},                    // beyond the first plane
        {"a\\x89\x89", "a\\\\x89\\x89"},                        // a backslash, and a byte that is no text
        {"\xC2\xA5x89", "\\u00A5x89"},                          // a yen sign, as a Japanese font draws "\"
        {"\t\n\r\x01\x7F"s + '\0', "\\t\\n\\r\\x01\\x7F\\x00"}, // control characters
        {"Plain-ASCII_name.txt", "Plain-ASCII_name.txt"},       // nothing to spell out
    };
    for (const auto& c : cases) {
        const std::string spelled = SpelledOutName(c.name);
        EXPECT_EQ(spelled, c.spelled) << testing::PrintToString(c.name);
        EXPECT_EQ(NameFromDisplay(spelled), c.name) << spelled;
        for (const char ch : spelled) {
            EXPECT_TRUE(ch > ' ' && ch < 0x7F) << spelled << ": only printable ASCII, no space";
        }
    }
}

} // namespace
} // namespace tombreli
