#pragma once

#include "NameList.h"

#include <cstdint>
#include <vector>

namespace tombreli {

struct ComparisonResult
{
    NameList InBoth;        // entries of List1 that occur in List2, in List1's order
    NameList OnlyInFolder1; // entries of List1 that do not occur in List2, in List1's order
    NameList OnlyInFolder2; // entries of List2 that do not occur in List1, in List2's order
};

// Sorts every entry of both lists into one of three groups. Names are equal only
// when their bytes are: no case folding, no normalisation. Duplicates are judged
// one by one, so a name that occurs twice in List1 is listed twice. Expected
// linear time; never fails on any input.
ComparisonResult CompareFileNames(const NameList& List1, const NameList& List2);

// The same judgement as CompareFileNames, by position and without a copy of
// any name: for a caller that can read the groups from the lists themselves.
struct NameMatches
{
    std::vector<std::uint8_t> inList2; // for each entry of List1: 1 if List2 holds its name, else 0
    std::vector<std::uint8_t> inList1; // for each entry of List2: 1 if List1 holds its name, else 0
};

NameMatches MatchFileNames(const NameList& List1, const NameList& List2);

// Whether lists this long are compared on two threads; shorter ones are not
// worth starting a thread for. Work that follows a comparison can ask the same.
bool CompareInParallel(const NameList& List1, const NameList& List2);

} // namespace tombreli
