#include "CompareFileNames.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace tombreli {
namespace {

// The comparison written out as two plain nested scans, which the fast one must match exactly.
ComparisonResult nestedScan(const NameList& list1, const NameList& list2)
{
    ComparisonResult result;
    for (const auto& a : list1) {
        bool found = false;
        for (const auto& b : list2) {
            found = found || a == b;
        }
        (found ? result.InBoth : result.OnlyInFolder1).push_back(a);
    }
    for (const auto& b : list2) {
        bool found = false;
        for (const auto& a : list1) {
            found = found || a == b;
        }
        if (!found) {
            result.OnlyInFolder2.push_back(b);
        }
    }
    return result;
}

void expectSame(const ComparisonResult& actual, const ComparisonResult& expected)
{
    EXPECT_EQ(actual.InBoth, expected.InBoth);
    EXPECT_EQ(actual.OnlyInFolder1, expected.OnlyInFolder1);
    EXPECT_EQ(actual.OnlyInFolder2, expected.OnlyInFolder2);
}

struct Case
{
    const char* title;
    NameList list1;
    NameList list2;
    ComparisonResult expected;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.title;
}

class CompareFileNamesCases : public testing::TestWithParam<Case>
{};

TEST_P(CompareFileNamesCases, SortsEveryEntryIntoItsGroup)
{
    const Case& c = GetParam();
    expectSame(CompareFileNames(c.list1, c.list2), c.expected);
    expectSame(nestedScan(c.list1, c.list2), c.expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, CompareFileNamesCases,
    testing::Values(
        Case{"BothEmpty", {}, {}, {}}, Case{"FirstEmpty", {}, {"c", "a", "b"}, {{}, {}, {"c", "a", "b"}}},
        Case{"SecondEmpty", {"b", "a"}, {}, {{}, {"b", "a"}, {}}},
        Case{"SameFolder", {"a", "b", "c"}, {"a", "b", "c"}, {{"a", "b", "c"}, {}, {}}},
        Case{"LetterCaseMatters",
             {"a.txt", "B.txt", "c.txt"},
             {"b.txt", "c.txt", "d.txt"},
             {{"c.txt"}, {"a.txt", "B.txt"}, {"b.txt", "d.txt"}}},
        Case{"PrefixIsNotEqual", {"a.txt"}, {"a.txt.bak"}, {{}, {"a.txt"}, {"a.txt.bak"}}},
        Case{"DuplicateJudgedTwice", {"x", "x"}, {"x"}, {{"x", "x"}, {}, {}}},
        Case{"DuplicateInSecond", {"x"}, {"y", "x", "y"}, {{"x"}, {}, {"y", "y"}}},
        Case{"FullWidthIsNotHalfWidth", {"Ａ"}, {"A"}, {{}, {"Ａ"}, {"A"}}},
        Case{"ComposedIsNotDecomposed", {"\xC3\xA9"}, {"e\xCC\x81"}, {{}, {"\xC3\xA9"}, {"e\xCC\x81"}}},
        Case{"EmptyName", {""s, "a"}, {""s}, {{""s}, {"a"}, {}}},
        Case{"EmbeddedNul", {"a\0b"s}, {"a"s, "a\0b"s}, {{"a\0b"s}, {}, {"a"}}},
        Case{"InvalidUtf8", {"\x89\xFF"}, {"\x89\xFE", "\x89\xFF"}, {{"\x89\xFF"}, {}, {"\x89\xFE"}}},
        Case{"OrderOfListsKept", {"z", "m", "a"}, {"q", "a", "z", "b"}, {{"z", "a"}, {"m"}, {"q", "b"}}}),
    [](const testing::TestParamInfo<Case>& param) { return param.param.title; });

// Names from a small alphabet so that lists share many names, repeat some,
// and hold case variants, prefixes, empty names and bytes that are not UTF-8.
NameList generatedList(std::mt19937& random, std::size_t count)
{
    static const std::string alphabet("aAb.\x89\xFF\0"s);
    std::uniform_int_distribution<std::size_t> length(0, 4);
    std::uniform_int_distribution<std::size_t> letter(0, alphabet.size() - 1);
    std::vector<std::string> names(count);
    for (std::string& name : names) {
        for (std::size_t n = length(random); n > 0; --n) {
            name += alphabet[letter(random)];
        }
    }
    return NameList(names.begin(), names.end());
}

TEST(CompareFileNames, MatchesTheNestedScanOnGeneratedLists)
{
    std::mt19937 random(20261211);
    std::uniform_int_distribution<std::size_t> size(0, 300);
    for (int round = 0; round < 200; ++round) {
        const NameList list1 = generatedList(random, size(random));
        const NameList list2 = generatedList(random, size(random));
        SCOPED_TRACE(round);
        expectSame(CompareFileNames(list1, list2), nestedScan(list1, list2));
    }
}

// Long lists are compared on several threads; check them against sets, which
// judge each entry as the nested scan does, at a size the scan cannot reach.
TEST(CompareFileNames, MatchesSetMembershipOnLongLists)
{
    std::mt19937 random(11);
    for (const std::size_t size : {20000u, 60001u}) {
        const auto extended = [&](std::size_t count, std::size_t every) {
            const NameList base = generatedList(random, count);
            NameList names;
            for (std::size_t i = 0; i < base.size(); ++i) {
                names.push_back(std::string(base[i]) + (i % 3 == 0 ? std::to_string(i % every) : ""));
            }
            return names;
        };
        const NameList list1 = extended(size, 5000);
        const NameList list2 = extended(size + 7, 7000);
        const std::set<std::string, std::less<>> set1(list1.begin(), list1.end());
        const std::set<std::string, std::less<>> set2(list2.begin(), list2.end());
        ComparisonResult expected;
        for (const std::string_view name : list1) {
            (set2.contains(name) ? expected.InBoth : expected.OnlyInFolder1).push_back(std::string(name));
        }
        for (const std::string_view name : list2) {
            if (!set1.contains(name)) {
                expected.OnlyInFolder2.push_back(std::string(name));
            }
        }
        SCOPED_TRACE(size);
        expectSame(CompareFileNames(list1, list2), expected);
    }
}

TEST(CompareFileNames, KeepsEveryEntryOfTheFirstListOnce)
{
    std::mt19937 random(7);
    const NameList list1 = generatedList(random, 5000);
    const NameList list2 = generatedList(random, 5000);
    const ComparisonResult result = CompareFileNames(list1, list2);
    EXPECT_EQ(result.InBoth.size() + result.OnlyInFolder1.size(), list1.size());
}

} // namespace
} // namespace tombreli
