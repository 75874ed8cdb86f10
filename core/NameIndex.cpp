#include "NameIndex.h"

#include <bit>
#include <functional>
#include <limits>
#include <stdexcept>

namespace tombreli {

namespace {

constexpr std::uint64_t KeyMask = 0xFFFFFFFFu;

} // namespace

std::uint64_t NameIndex::hashOf(std::string_view name)
{
    return std::hash<std::string_view>{}(name);
}

NameIndex::NameIndex(const NameList& names)
    : m_names(names)
{
    if (names.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("NameIndex: too many names");
    }
    // Open addressing at a load factor of at most one half keeps probe runs short.
    m_slots.assign(std::bit_ceil(names.size() * 2 + 2), 0);
    m_keyOf.resize(names.size());
    std::uint64_t hashes[Batch];
    for (std::size_t start = 0; start < names.size(); start += Batch) {
        const std::size_t count = std::min(Batch, names.size() - start);
        PrefetchNames(names, start + Batch, std::min(start + 2 * Batch, names.size()));
        for (std::size_t k = 0; k < count; ++k) {
            hashes[k] = hashOf(names[start + k]);
            prefetch(hashes[k]);
        }
        for (std::size_t k = 0; k < count; ++k) {
            const std::size_t i = start + k;
            std::uint64_t& slot = m_slots[slotFor(names[i], hashes[k])];
            if (slot == 0) {
                m_keyName.push_back(static_cast<std::uint32_t>(i));
                slot = (hashes[k] & ~KeyMask) | m_keyName.size();
            }
            m_keyOf[i] = static_cast<std::uint32_t>((slot & KeyMask) - 1);
        }
    }
}

void NameIndex::prefetch([[maybe_unused]] std::uint64_t hash) const
{
#if defined(__GNUC__)
    __builtin_prefetch(&m_slots[hash & (m_slots.size() - 1)]);
#endif
}

std::size_t NameIndex::slotFor(std::string_view name, std::uint64_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    const std::uint64_t fragment = hash & ~KeyMask;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint64_t entry = m_slots[slot];
        if (entry == 0) {
            return slot;
        }
        if ((entry & ~KeyMask) == fragment && m_names[m_keyName[(entry & KeyMask) - 1]] == name) {
            return slot;
        }
    }
}

} // namespace tombreli
