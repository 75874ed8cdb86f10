#include "WindowsNameOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace tombreli {
namespace {

struct OrderCase
{
    const char* title;
    const wchar_t* locale;
    NameList names;
    NameList sorted;
};

void PrintTo(const OrderCase& c, std::ostream* out)
{
    *out << c.title;
}

class WindowsNameOrderSorts : public testing::TestWithParam<OrderCase>
{};

TEST_P(WindowsNameOrderSorts, AsTheSystemListControlDoes)
{
    const OrderCase& c = GetParam();
    NameList names = c.names;
    WindowsNameOrder(c.locale).sort(names);
    EXPECT_EQ(names, c.sorted);
}

INSTANTIATE_TEST_SUITE_P(
    Names, WindowsNameOrderSorts,
    testing::Values(
        OrderCase{"CaseIgnored",
                  L"en-US",
                  {"b.txt", "C.txt", "a.txt", "B.TXT"},
                  {"a.txt", "B.TXT", "b.txt", "C.txt"}},
        // Names the system holds equal go by their bytes, upper case first.
        OrderCase{"TiesByBytes", L"en-US", {"readme", "README", "ReadMe"}, {"README", "ReadMe", "readme"}},
        OrderCase{"AccentAfterItsLetter",
                  L"en-US",
                  {"z", "\xC3\xA4", "b", "a"}, // ä
                  {"a", "\xC3\xA4", "b", "z"}},
        OrderCase{"SwedishAccentsAfterZ",
                  L"sv-SE",
                  {"\xC3\xA4", "z", "\xC3\xA5", "a"}, // ä, å
                  {"a", "z", "\xC3\xA5", "\xC3\xA4"}},
        OrderCase{"DigitsBeforeLetters", L"ja-JP", {"b", "10", "A", "2"}, {"10", "2", "A", "b"}},
        OrderCase{"EmptyAndSingle", L"en-US", {""}, {""}}),
    [](const testing::TestParamInfo<OrderCase>& param) { return param.param.title; });

// Names of every kind a folder may hold, and some a folder never gives.
NameList mixedNames()
{
    return {"a.txt",
            "A.txt",
            "b.txt",
            "co-op",
            "coop",
            "Coop",
            "\xE3\x82\xBD.txt",         // ソ
            "\xEF\xBD\xBF.txt",         // ｿ, half-width
            "\xE3\x81\x9D.txt",         // そ
            "\xED\x95\x9C\xEA\xB5\xAD", // 한국
            "\xF0\x9F\x98\x80.txt",     // an emoji, a surrogate pair
            "\xED\xA0\x80.txt",         // a lone surrogate
            "\xED\xB0\x80.txt",
            "\xC3\xA9t\xC3\xA9", // été
            "ete",
            "\xEF\xBC\xA1", // Ａ, full-width
            "Z",
            "_under",
            "~tilde",
            "10.txt",
            "9.txt",
            "",
            "\x80\xFF", // not text at all
            "\xFE",
            "soft\xC2\xADhyphen", // ignored by the comparison
            "softhyphen"};
}

// The keys must order as the system's comparison does, ties by bytes: any
// mismatch of flags or locale between the two would show here.
TEST(WindowsNameOrder, SortsAsTheSystemComparisonOrders)
{
    for (const wchar_t* locale : {L"", L"ja-JP", L"en-US", L"sv-SE"}) {
        const WindowsNameOrder order(locale);
        NameList names = mixedNames();
        order.sort(names);
        for (std::size_t i = 0; i < names.size(); ++i) {
            for (std::size_t j = i + 1; j < names.size(); ++j) {
                const int byTheSystem = order.compare(names[i], names[j]);
                EXPECT_TRUE(byTheSystem < 0 || (byTheSystem == 0 && names[i] < names[j]))
                    << testing::PrintToString(names[i]) << " before " << testing::PrintToString(names[j]);
            }
        }
    }
}

TEST(WindowsNameOrder, GivesOneOrderWhateverTheOrderOfTheInput)
{
    const WindowsNameOrder order;
    NameList expected = mixedNames();
    order.sort(expected);
    std::mt19937 random(20240611);
    for (int round = 0; round < 20; ++round) {
        const NameList mixed = mixedNames();
        std::vector<std::string> shuffled(mixed.begin(), mixed.end());
        std::shuffle(shuffled.begin(), shuffled.end(), random);
        NameList names(shuffled.begin(), shuffled.end());
        order.sort(names);
        EXPECT_EQ(names, expected);
    }
}

TEST(WindowsNameOrder, KeepsLongNamesWhole)
{
    // Longer than any first guess at the size of a sort key.
    const std::string base(300, 'x');
    NameList names = {base + "b", base + "A", base + "a"};
    WindowsNameOrder(L"en-US").sort(names);
    EXPECT_EQ(names, (NameList{base + "A", base + "a", base + "b"}));
}

} // namespace
} // namespace tombreli
