#include "NameIndex.h"

#include <bit>
#include <functional>
#include <limits>
#include <stdexcept>

namespace tombreli {

namespace {

std::size_t hashOf(std::string_view name)
{
    return std::hash<std::string_view>{}(name);
}

} // namespace

NameIndex::NameIndex(const NameList& names)
    : m_names(names)
{
    // Keys are stored as 32-bit numbers; a folder list never holds more than 2^31 - 1 names.
    if (names.size() >= std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("NameIndex: too many names");
    }
    // Open addressing at a load factor of at most one half keeps probe runs short.
    m_slots.assign(std::bit_ceil(names.size() * 2 + 2), 0);
    m_keyOf.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::size_t hash = hashOf(names[i]);
        const std::size_t slot = slotFor(names[i], hash);
        if (m_slots[slot] == 0) {
            m_slots[slot] = static_cast<std::uint32_t>(m_keyHash.size() + 1);
            m_keyHash.push_back(hash);
            m_keyName.push_back(static_cast<std::uint32_t>(i));
        }
        m_keyOf[i] = m_slots[slot] - 1;
    }
}

std::optional<std::size_t> NameIndex::find(std::string_view name) const
{
    const std::uint32_t entry = m_slots[slotFor(name, hashOf(name))];
    if (entry == 0) {
        return std::nullopt;
    }
    return entry - 1;
}

// The slot that holds `name`'s key, or the empty slot where it would go.
std::size_t NameIndex::slotFor(std::string_view name, std::size_t hash) const
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = m_slots[slot];
        if (entry == 0) {
            return slot;
        }
        const std::size_t key = entry - 1;
        if (m_keyHash[key] == hash && m_names[m_keyName[key]] == name) {
            return slot;
        }
    }
}

} // namespace tombreli
