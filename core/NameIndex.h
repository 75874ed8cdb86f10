#pragma once

#include "NameList.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace tombreli {

// A hash index over the names of one list. Equal names share one key, numbered
// 0 .. keyCount()-1 in the order of their first occurrence. The list must
// outlive the index and stay unchanged; it may hold at most 2^32 - 2 names.
class NameIndex
{
public:
    explicit NameIndex(const NameList& names);

    std::size_t keyCount() const { return m_keyName.size(); }
    // The key of the name at position i of the list.
    std::size_t keyOf(std::size_t i) const { return m_keyOf[i]; }
    // Looks up names[begin..end) and calls found(i, key) for each one the index
    // holds, a batch at a time: the index is far larger than the processor's
    // caches, so each batch of lookups fetches its slots ahead.
    template <typename Found>
    void findEach(const NameList& names, std::size_t begin, std::size_t end, Found&& found) const;

private:
    static constexpr std::size_t Batch = 16;

    static std::uint64_t hashOf(std::string_view name);
    void prefetch(std::uint64_t hash) const;
    // The slot that holds `name`'s key, or the empty slot where it would go.
    std::size_t slotFor(std::string_view name, std::uint64_t hash) const;

    const NameList& m_names;
    // Each slot: the key + 1 in the low half (0 when empty), the upper half of
    // the name's hash in the high half, so that most probes need no string.
    std::vector<std::uint64_t> m_slots;
    std::vector<std::uint32_t> m_keyName; // position of each key's first name
    std::vector<std::uint32_t> m_keyOf;   // key of each position
};

template <typename Found>
void NameIndex::findEach(const NameList& names, std::size_t begin, std::size_t end, Found&& found) const
{
    std::uint64_t hashes[Batch];
    for (std::size_t start = begin; start < end; start += Batch) {
        const std::size_t count = std::min(Batch, end - start);
        PrefetchNames(names, start + Batch, std::min(start + 2 * Batch, end));
        for (std::size_t k = 0; k < count; ++k) {
            hashes[k] = hashOf(names[start + k]);
            prefetch(hashes[k]);
        }
        for (std::size_t k = 0; k < count; ++k) {
            const std::uint64_t entry = m_slots[slotFor(names[start + k], hashes[k])];
            if (entry != 0) {
                found(start + k, static_cast<std::size_t>(static_cast<std::uint32_t>(entry) - 1));
            }
        }
    }
}

} // namespace tombreli
