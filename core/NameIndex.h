#pragma once

#include "NameList.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tombreli {

// A hash index over the names of one list. Equal names share one key, numbered
// 0 .. keyCount()-1 in the order of their first occurrence; the list must
// outlive the index and stay unchanged.
class NameIndex
{
public:
    explicit NameIndex(const NameList& names);

    std::size_t keyCount() const { return m_keyHash.size(); }
    // The key of the name at position i of the list.
    std::size_t keyOf(std::size_t i) const { return m_keyOf[i]; }
    // The key of a name equal to `name`, if the list holds one.
    std::optional<std::size_t> find(std::string_view name) const;

private:
    std::size_t slotFor(std::string_view name, std::size_t hash) const;

    const NameList& m_names;
    std::vector<std::uint32_t> m_slots;   // 0 = empty, else key + 1
    std::vector<std::size_t> m_keyHash;   // hash of each key's name
    std::vector<std::uint32_t> m_keyName; // position of each key's first name
    std::vector<std::uint32_t> m_keyOf;   // key of each position
};

} // namespace tombreli
