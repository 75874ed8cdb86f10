#include "NameList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tombreli {
namespace {

using namespace std::string_literals;

// Names as they come: empty, NUL inside, bytes that are not text, long ones.
const std::vector<std::string> odd = {"", "a\0b"s, "\xFF\xFE", std::string(300, 'x'), "a", "a"};

TEST(NameList, HoldsEachNameByteForByteInItsPlace)
{
    NameList names;
    for (const std::string& name : odd) {
        names.push_back(name);
    }
    ASSERT_EQ(names.size(), odd.size());
    EXPECT_TRUE(std::equal(names.begin(), names.end(), odd.begin(), odd.end()));
    for (std::size_t i = 0; i < odd.size(); ++i) {
        EXPECT_EQ(names[i], odd[i]);
        EXPECT_EQ(names.at(i), odd[i]);
    }
    EXPECT_THROW((void)names.at(odd.size()), std::out_of_range);
    EXPECT_EQ(names.byteCount(), 0 + 3 + 2 + 300 + 1 + 1u);
    EXPECT_EQ(names, NameList(odd.begin(), odd.end()));
    EXPECT_NE(names, NameList(odd.begin(), odd.end() - 1));
}

TEST(NameList, CopiesAreIndependent)
{
    NameList names{"b", "a"};
    const NameList copy = names;
    names.push_back("c");
    names.sort(std::less<>());
    EXPECT_EQ(copy, (NameList{"b", "a"}));
    EXPECT_EQ(names, (NameList{"a", "b", "c"}));
    names.clear();
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(copy.size(), 2u);
}

// A name of the list itself can be appended, also when a new chunk must be
// taken for it, and earlier views stay valid.
TEST(NameList, AppendsItsOwnNames)
{
    NameList names{"first name", "second"};
    const std::string_view early = names[0];
    for (int round = 0; round < 3000; ++round) {
        names.push_back(names[names.size() - 2]);
    }
    EXPECT_EQ(early, "first name") << "appending moves no bytes";
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i], i % 2 == 0 ? "first name" : "second") << i;
    }
}

TEST(NameList, ReordersByPositionsKeepingTheBytesAndTheirViews)
{
    std::vector<std::string> source(1000);
    for (std::size_t i = 0; i < source.size(); ++i) {
        source[i] = std::to_string(i * 7919 % 1000);
    }
    NameList names(source.begin(), source.end());
    const std::string_view firstView = names[0];
    const std::size_t bytes = names.byteCount();

    std::vector<std::uint32_t> order(names.size());
    std::iota(order.begin(), order.end(), 0u);
    std::shuffle(order.begin(), order.end(), std::mt19937(5));
    const std::vector<std::uint32_t> kept = order;
    names.reorder(std::move(order));
    for (std::size_t k = 0; k < names.size(); ++k) {
        EXPECT_EQ(names[k], source[kept[k]]) << k;
    }
    EXPECT_EQ(names.byteCount(), bytes);
    EXPECT_EQ(firstView, source[0]) << "a reorder moves no bytes";

    names.sort(std::less<>());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), "999"));
}

TEST(NameList, RefusesAnOrderThatIsNoPermutationAndStaysAsItWas)
{
    const NameList before{"a", "b", "c"};
    for (const std::vector<std::uint32_t>& order :
         std::vector<std::vector<std::uint32_t>>{{0, 1}, {0, 1, 2, 3}, {0, 0, 1}, {2, 1, 3}}) {
        NameList names = before;
        EXPECT_THROW(names.reorder(std::vector<std::uint32_t>(order)), std::invalid_argument);
        EXPECT_EQ(names, before);
    }
}

TEST(NameList, RefusesANameLongerThanItCanMark)
{
    NameList names{"a"};
    EXPECT_THROW(names.push_back(std::string(std::size_t{1} << 24, 'x')), std::length_error);
    EXPECT_EQ(names, NameList{"a"});
}

} // namespace
} // namespace tombreli
