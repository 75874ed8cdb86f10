#include "CompareFileNames.h"

#include "NameIndex.h"

#include <algorithm>
#include <cstdint>

namespace tombreli {

ComparisonResult CompareFileNames(const NameList& List1, const NameList& List2)
{
    // One index of List2 answers both passes: a key of List2 that some entry of
    // List1 matched is exactly a name of List2 that occurs in List1.
    const NameIndex index(List2);
    std::vector<std::uint8_t> keyMatched(index.keyCount(), 0);
    std::vector<std::uint8_t> inBoth(List1.size(), 0);
    for (std::size_t i = 0; i < List1.size(); ++i) {
        if (const auto key = index.find(List1[i])) {
            keyMatched[*key] = 1;
            inBoth[i] = 1;
        }
    }

    ComparisonResult result;
    const auto both = static_cast<std::size_t>(std::count(inBoth.begin(), inBoth.end(), 1));
    result.InBoth.reserve(both);
    result.OnlyInFolder1.reserve(List1.size() - both);
    for (std::size_t i = 0; i < List1.size(); ++i) {
        (inBoth[i] ? result.InBoth : result.OnlyInFolder1).push_back(List1[i]);
    }
    std::size_t only2 = 0;
    for (std::size_t j = 0; j < List2.size(); ++j) {
        only2 += keyMatched[index.keyOf(j)] ? 0 : 1;
    }
    result.OnlyInFolder2.reserve(only2);
    for (std::size_t j = 0; j < List2.size(); ++j) {
        if (!keyMatched[index.keyOf(j)]) {
            result.OnlyInFolder2.push_back(List2[j]);
        }
    }
    return result;
}

} // namespace tombreli
