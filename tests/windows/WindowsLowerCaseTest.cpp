#include "WindowsLowerCase.h"

#include <gtest/gtest.h>

#include <string>

namespace tombreli {
namespace {

TEST(WindowsLowerCase, LowerCasesTheWholeTextButFullWidthLetters)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\DATA\\Sub", "c:\\data\\sub"},
        {"C:\\DONN\xC3\x89"
         "ES",
         "c:\\donn\xC3\xA9"
         "es"},                                                   // É
        {"\xCE\x91\xCE\x92\xCE\x93", "\xCE\xB1\xCE\xB2\xCE\xB3"}, // ΑΒΓ
        {"\xD0\x94\xD0\x9E\xD0\x9C", "\xD0\xB4\xD0\xBE\xD0\xBC"}, // ДОМ
        {"\xEF\xBC\xA1\xEF\xBD\x81", "\xEF\xBC\xA1\xEF\xBD\x81"}, // Ａａ, full width
        {"\xE6\x97\xA5\xE6\x9C\xAC", "\xE6\x97\xA5\xE6\x9C\xAC"}, // 日本
        {"A\xED\xA0\x80"
         "B",
         "a\xED\xA0\x80"
         "b"}, // a lone surrogate kept
        {"A\xFF"
         "B",
         "A\xFF"
         "B"}, // not WTF-8: unchanged
    };
    for (const auto& [text, lower] : cases) {
        EXPECT_EQ(systemLowerCase(text), lower) << text;
    }
}

} // namespace
} // namespace tombreli
