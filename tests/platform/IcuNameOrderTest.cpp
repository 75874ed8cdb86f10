#include "IcuNameOrder.h"

#include <gtest/gtest.h>
#include <unicode/coll.h>
#include <unicode/locid.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace tombreli {
namespace {

NameList sorted(const IcuNameOrder& order, NameList names)
{
    order.sort(names);
    return names;
}

struct OrderCase
{
    const char* title;
    const char* locale;
    NameList names;
    NameList expected;
};

void PrintTo(const OrderCase& c, std::ostream* out)
{
    *out << c.title;
}

class IcuOrderCases : public testing::TestWithParam<OrderCase>
{};

TEST_P(IcuOrderCases, Sorts)
{
    const OrderCase& c = GetParam();
    EXPECT_EQ(sorted(IcuNameOrder(c.locale), c.names), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, IcuOrderCases,
    testing::Values(
        // Case is ignored; names equal but for case are ordered by their bytes.
        OrderCase{"CaseIgnored", "", {"b", "a.txt", "B", "A.TXT", "c"}, {"A.TXT", "a.txt", "B", "b", "c"}},
        OrderCase{"AccentsCount", "", {"f", "\xC3\xA9", "e", "E"}, {"E", "e", "\xC3\xA9", "f"}},
        OrderCase{"DigitsBeforeLetters", "", {"b1", "10", "a", "9"}, {"10", "9", "a", "b1"}},
        OrderCase{"SwedishPutsAeAfterZ", "sv_SE.UTF-8", {"\xC3\xA4", "z", "a"}, {"a", "z", "\xC3\xA4"}},
        OrderCase{"GermanPutsAeBesideA", "de_DE.UTF-8", {"\xC3\xA4", "z", "b"}, {"\xC3\xA4", "b", "z"}},
        OrderCase{
            "FullWidthBesideHalfWidth", "ja_JP", {"b", "\xEF\xBC\xA1", "a"}, {"a", "\xEF\xBC\xA1", "b"}},
        OrderCase{"Empty", "", {}, {}}),
    [](const testing::TestParamInfo<OrderCase>& param) { return param.param.title; });

TEST(IcuNameOrder, TakesTheLocaleNamePosixStyle)
{
    EXPECT_EQ(IcuNameOrder("ja_JP.UTF-8").localeName(), "ja_JP");
    EXPECT_EQ(IcuNameOrder("de_DE@euro").localeName(), "de_DE");
    EXPECT_EQ(IcuNameOrder("C").localeName(), "");
    EXPECT_EQ(IcuNameOrder("POSIX").localeName(), "");
    EXPECT_EQ(IcuNameOrder("C.UTF-8").localeName(), "");
    EXPECT_EQ(IcuNameOrder("").localeName(), "");
}

TEST(IcuNameOrder, FallsBackToTheRootForAnUnknownLocale)
{
    const NameList names{"\xC3\xA4", "z", "a", "B"};
    EXPECT_EQ(IcuNameOrder("qq_ZZ").localeName(), "");
    EXPECT_EQ(sorted(IcuNameOrder("qq_ZZ"), names), sorted(IcuNameOrder(""), names));
}

TEST(IcuNameOrder, ReadsTheLocaleFromTheEnvironmentInItsOrder)
{
    const struct
    {
        const char* all;
        const char* collate;
        const char* lang;
        const char* expected;
    } cases[] = {
        {"sv_SE.UTF-8", "de_DE.UTF-8", "ja_JP.UTF-8", "sv_SE.UTF-8"},
        {"", "de_DE.UTF-8", "ja_JP.UTF-8", "de_DE.UTF-8"},
        {nullptr, nullptr, "ja_JP.UTF-8", "ja_JP.UTF-8"},
        {nullptr, nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        for (const auto& [variable, value] :
             {std::pair{"LC_ALL", c.all}, std::pair{"LC_COLLATE", c.collate}, std::pair{"LANG", c.lang}}) {
            value != nullptr ? setenv(variable, value, 1) : unsetenv(variable);
        }
        EXPECT_EQ(IcuNameOrder::localeFromEnvironment(), c.expected);
    }
    unsetenv("LC_ALL");
    unsetenv("LC_COLLATE");
    unsetenv("LANG");
}

// Names from pieces that stress collation: case, accents, digits, punctuation,
// Japanese, full-width forms, control characters, and bytes that are not UTF-8.
NameList generatedNames(std::mt19937& random, std::size_t count)
{
    static const char* const pieces[] = {"a",
                                         "A",
                                         "b",
                                         "z",
                                         "Z",
                                         "0",
                                         "9",
                                         "10",
                                         ".",
                                         "-",
                                         "_",
                                         " ",
                                         "~",
                                         "\xC3\xA9",
                                         "e\xCC\x81",
                                         "\xC3\xA4",
                                         "\xE3\x81\x82",
                                         "\xE3\x82\xA2",
                                         "\xE6\x97\xA5",
                                         "\xEF\xBC\xA1",
                                         "\t",
                                         "\x89",
                                         "\xFF",
                                         "\xC3"};
    std::uniform_int_distribution<std::size_t> length(0, 5);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    std::vector<std::string> names(count);
    for (std::string& name : names) {
        for (std::size_t n = length(random); n > 0; --n) {
            name += pieces[piece(random)];
        }
    }
    return NameList(names.begin(), names.end());
}

// The sort by keys must agree with the collator's own comparison, ties by bytes.
TEST(IcuNameOrder, AgreesWithTheCollatorsComparison)
{
    for (const char* locale : {"", "ja_JP", "sv_SE", "en_US"}) {
        SCOPED_TRACE(locale);
        UErrorCode status = U_ZERO_ERROR;
        const std::unique_ptr<icu::Collator> collator(
            icu::Collator::createInstance(*locale ? icu::Locale(locale) : icu::Locale::getRoot(), status));
        ASSERT_TRUE(U_SUCCESS(status));
        collator->setStrength(icu::Collator::SECONDARY);

        std::mt19937 random(42);
        NameList expected = generatedNames(random, 3000);
        NameList actual = expected;
        std::vector<std::string> inOrder(expected.begin(), expected.end());
        std::sort(inOrder.begin(), inOrder.end(), [&](const std::string& a, const std::string& b) {
            UErrorCode error = U_ZERO_ERROR;
            const UCollationResult result = collator->compareUTF8(a, b, error);
            return result != UCOL_EQUAL ? result == UCOL_LESS : a < b;
        });
        expected = NameList(inOrder.begin(), inOrder.end());
        IcuNameOrder(locale).sort(actual);
        EXPECT_EQ(actual, expected);
    }
}

// Names of every ASCII character, with some that are not ASCII among them, in
// locales whose tailorings touch ASCII: contractions ("ch" in Czech, "aa" in
// Danish, "dzs" in Hungarian), v and w as one letter, other scripts first.
TEST(IcuNameOrder, TakesTheAsciiShortcutOnlyWhereItKeepsTheOrder)
{
    std::mt19937 random(99);
    std::uniform_int_distribution<int> ascii(0, 127);
    std::uniform_int_distribution<std::size_t> length(0, 8);
    std::vector<std::string> generated(4000);
    for (std::string& name : generated) {
        for (std::size_t n = length(random); n > 0; --n) {
            name += static_cast<char>(ascii(random));
        }
    }
    for (const char* common :
         {"cha", "Ch", "aa", "AA", "dzs", "ll", "v", "w", "ij", "\xC3\xA4", "\xE3\x81\x82"}) {
        generated.push_back(common);
        generated.push_back(std::string("x") + common + "y");
    }
    const NameList names(generated.begin(), generated.end());
    for (const char* locale : {"", "en_US", "cs_CZ", "da_DK", "hu_HU", "es_ES", "sv_SE", "fi_FI", "ja_JP",
                               "el_GR", "ru_RU", "lt_LT", "tr_TR", "de_DE"}) {
        SCOPED_TRACE(locale);
        const IcuNameOrder order(locale);
        NameList byCollation = names;
        order.sortByCollation(byCollation);
        EXPECT_EQ(sorted(order, names), byCollation);
    }
}

TEST(IcuNameOrder, GivesTheSameOrderWhateverTheInputOrder)
{
    std::mt19937 random(1);
    const NameList names = generatedNames(random, 2000);
    const IcuNameOrder order("");
    const NameList first = sorted(order, names);
    std::vector<std::string> shuffled(names.begin(), names.end());
    std::shuffle(shuffled.begin(), shuffled.end(), random);
    EXPECT_EQ(sorted(order, NameList(shuffled.begin(), shuffled.end())), first);
}

} // namespace
} // namespace tombreli
