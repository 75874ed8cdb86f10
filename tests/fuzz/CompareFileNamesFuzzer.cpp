// CompareFileNames against the nested scan it stands for, on any two lists.
// Input: names one a line; a line holding only "|" ends the first list. An
// input beginning with "+" has its lists repeated past the size from which
// the comparison runs on two threads.

#include "CompareFileNames.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

namespace {

using namespace tombreli;

// Every entry of one list judged against the whole of the other, as the two passes do.
ComparisonResult byNestedScan(const NameList& list1, const NameList& list2)
{
    ComparisonResult result;
    for (const std::string_view name : list1) {
        bool found = false;
        for (const std::string_view other : list2) {
            found = found || other == name;
        }
        (found ? result.InBoth : result.OnlyInFolder1).push_back(name);
    }
    for (const std::string_view name : list2) {
        bool found = false;
        for (const std::string_view other : list1) {
            found = found || other == name;
        }
        if (!found) {
            result.OnlyInFolder2.push_back(name);
        }
    }
    return result;
}

// The same by sets, for lists too long to scan pair by pair.
ComparisonResult bySets(const NameList& list1, const NameList& list2)
{
    const std::unordered_set<std::string_view> in1(list1.begin(), list1.end());
    const std::unordered_set<std::string_view> in2(list2.begin(), list2.end());
    ComparisonResult result;
    for (const std::string_view name : list1) {
        (in2.contains(name) ? result.InBoth : result.OnlyInFolder1).push_back(name);
    }
    for (const std::string_view name : list2) {
        if (!in1.contains(name)) {
            result.OnlyInFolder2.push_back(name);
        }
    }
    return result;
}

bool same(const ComparisonResult& a, const ComparisonResult& b)
{
    return a.InBoth == b.InBoth && a.OnlyInFolder1 == b.OnlyInFolder1 && a.OnlyInFolder2 == b.OnlyInFolder2;
}

// Copies of the list until it is `count` long, every other round with a
// suffix, so that the long lists hold both repeated and new names.
NameList repeated(const NameList& names, std::size_t count)
{
    NameList out;
    out.reserve(count);
    for (std::size_t round = 0; out.size() < count && !names.empty(); ++round) {
        for (const std::string_view name : names) {
            out.push_back(round % 2 == 0 ? std::string(name)
                                         : std::string(name) + "~" + std::to_string(round % 7));
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const bool enlarge = input.starts_with('+');
    if (enlarge) {
        input.remove_prefix(1);
    }
    NameList lists[2];
    int side = 0;
    while (!input.empty()) {
        const fuzz::Split split = fuzz::splitAtNewline(input);
        const std::string_view line = split.found ? split.head : split.rest;
        if (line == "|" && side == 0) {
            side = 1;
        } else {
            lists[side].push_back(line);
        }
        input = split.found ? split.rest : std::string_view{};
    }
    if (enlarge) {
        // The two lists together reach the size from which two threads share the work.
        lists[0] = repeated(lists[0], 12000);
        lists[1] = repeated(lists[1], 9000);
    }
    const ComparisonResult result = CompareFileNames(lists[0], lists[1]);
    const bool small = lists[0].size() * lists[1].size() <= 4096;
    FUZZ_REQUIRE(same(result, small ? byNestedScan(lists[0], lists[1]) : bySets(lists[0], lists[1])));
    FUZZ_REQUIRE(result.InBoth.size() + result.OnlyInFolder1.size() == lists[0].size());
    return 0;
}
