#include "CompareFileNames.h"

#include "InParallel.h"
#include "NameIndex.h"

#include <algorithm>
#include <cstdint>

namespace tombreli {

namespace {

void copyWhere(const NameList& from, const std::vector<std::uint8_t>& flags, std::uint8_t wanted,
               NameList& to)
{
    std::size_t count = 0;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (flags[i] == wanted) {
            ++count;
            bytes += from[i].size();
        }
    }
    to.reserve(count, bytes);
    for (std::size_t i = 0; i < from.size(); ++i) {
        if (flags[i] == wanted) {
            to.push_back(from[i]);
        }
    }
}

} // namespace

bool CompareInParallel(const NameList& List1, const NameList& List2)
{
    // Below this, starting a thread costs more than it saves.
    constexpr std::size_t ParallelFrom = 20000;
    return List1.size() + List2.size() >= ParallelFrom;
}

NameMatches MatchFileNames(const NameList& List1, const NameList& List2)
{
    // One index of List2 answers both passes: a key of List2 that some entry of
    // List1 matched is exactly a name of List2 that occurs in List1.
    const NameIndex index(List2);
    const bool parallel = CompareInParallel(List1, List2);

    NameMatches matches;
    matches.inList2.assign(List1.size(), 0);
    std::vector<std::uint8_t> matched[2];
    const auto lookUp = [&](std::size_t half, std::size_t begin, std::size_t end) {
        matched[half].assign(index.keyCount(), 0);
        index.findEach(List1, begin, end, [&](std::size_t i, std::size_t key) {
            matches.inList2[i] = 1;
            matched[half][key] = 1;
        });
    };
    const std::size_t middle = List1.size() / 2;
    InParallel(
        parallel, [&] { lookUp(0, 0, middle); }, [&] { lookUp(1, middle, List1.size()); });

    matches.inList1.resize(List2.size());
    for (std::size_t j = 0; j < List2.size(); ++j) {
        const std::size_t key = index.keyOf(j);
        matches.inList1[j] = matched[0][key] | matched[1][key];
    }
    return matches;
}

ComparisonResult CompareFileNames(const NameList& List1, const NameList& List2)
{
    const NameMatches matches = MatchFileNames(List1, List2);
    ComparisonResult result;
    InParallel(
        CompareInParallel(List1, List2),
        [&] {
            copyWhere(List1, matches.inList2, 1, result.InBoth);
            copyWhere(List1, matches.inList2, 0, result.OnlyInFolder1);
        },
        [&] { copyWhere(List2, matches.inList1, 0, result.OnlyInFolder2); });
    return result;
}

} // namespace tombreli
