#pragma once

#include "NameList.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace tombreli {

// Makes the sort key of a name, for one thread: a port of the name order
// supplies it. Keys are bytes compared as unsigned, a key that is a prefix of
// another first; names with equal keys are ordered by their own bytes.
class NameKeyMaker
{
public:
    virtual ~NameKeyMaker() = default;

    // Returns the family of the key of `name`, below the number of families
    // the sort was given, and replaces `key` with it unless the family is
    // ranked. Keys of different families need not compare with each other;
    // each family is sorted apart.
    virtual unsigned makeKey(std::string_view name, std::vector<std::uint8_t>& key) = 0;
};

// For a ranked family of keys: the key of a name is its bytes, each replaced
// by its rank here and left out where that is 0. Such keys are not stored
// but read from the names where needed, which spares their memory.
using KeyRanks = std::array<std::uint8_t, 256>;

// Sorts the names of a list by the keys the makers give, without moving
// them: returns, for each family of keys, the positions of its names in
// order. `families` holds the ranks of each family, or null for a family
// whose keys the maker writes. A long list is keyed and sorted on two
// threads, each with a maker of its own from `newMaker`. What a maker raises
// reaches the caller.
std::vector<std::vector<std::uint32_t>>
SortByKeys(const NameList& names, const std::vector<const KeyRanks*>& families,
           const std::function<std::unique_ptr<NameKeyMaker>()>& newMaker);

} // namespace tombreli
