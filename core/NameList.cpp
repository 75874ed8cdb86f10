#include "NameList.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tombreli {

NameList::NameList(const NameList& other)
{
    reserve(other.size(), other.byteCount());
    for (const std::string_view name : other) {
        push_back(name);
    }
}

NameList& NameList::operator=(const NameList& other)
{
    if (this != &other) {
        NameList copy(other);
        *this = std::move(copy);
    }
    return *this;
}

NameList::NameList(std::initializer_list<std::string_view> names)
{
    std::size_t bytes = 0;
    for (const std::string_view name : names) {
        bytes += name.size();
    }
    reserve(names.size(), bytes);
    for (const std::string_view name : names) {
        push_back(name);
    }
}

std::string_view NameList::at(std::size_t i) const
{
    if (i >= size()) {
        throw std::out_of_range("NameList: no name at this position");
    }
    return (*this)[i];
}

void NameList::addChunk(std::size_t size)
{
    if (m_chunks.size() >= MaxChunks) {
        throw std::length_error("NameList: too many names");
    }
    m_chunks.reserve(m_chunks.size() + 1);
    m_chunks.push_back(std::make_unique_for_overwrite<char[]>(size));
    m_lastSize = size;
    m_lastUsed = 0;
    m_nextSize = std::min(LargestChunk, size * 2);
}

void NameList::push_back(std::string_view name)
{
    if (name.size() > MaxLength) {
        throw std::length_error("NameList: name too long");
    }
    // Chunks never move, so a name of this list itself stays where it is.
    if (m_chunks.empty() || m_lastSize - m_lastUsed < name.size()) {
        addChunk(std::max(m_nextSize, name.size()));
    }
    char* at = m_chunks.back().get() + m_lastUsed;
    std::copy(name.begin(), name.end(), at);
    // The bytes count once their entry is in: if the table cannot grow, they stay unused.
    m_entries.push_back(static_cast<std::uint64_t>(m_chunks.size() - 1) << ChunkShift |
                        static_cast<std::uint64_t>(m_lastUsed) << LengthBits | name.size());
    m_lastUsed += name.size();
    m_byteCount += name.size();
}

void NameList::reserve(std::size_t names, std::size_t bytes)
{
    m_entries.reserve(m_entries.size() + names);
    if (bytes > m_lastSize - m_lastUsed) {
        m_nextSize = std::clamp<std::size_t>(bytes, m_nextSize, LargestChunk);
    }
}

void NameList::clear()
{
    m_entries.clear();
    m_chunks.clear();
    m_lastSize = 0;
    m_lastUsed = 0;
    m_nextSize = 4096;
    m_byteCount = 0;
}

void NameList::reorder(std::vector<std::uint32_t>&& order)
{
    if (order.size() != size()) {
        throw std::invalid_argument("NameList: an order of another length");
    }
    std::vector<bool> seen(order.size());
    for (const std::uint32_t from : order) {
        if (from >= order.size() || seen[from]) {
            throw std::invalid_argument("NameList: an order that is no permutation");
        }
        seen[from] = true;
    }
    // Gathered into a new table: independent loads, where following the
    // cycles in place would wait on one cache miss after another.
    std::vector<std::uint64_t> entries;
    entries.reserve(order.size());
    for (const std::uint32_t from : order) {
        entries.push_back(m_entries[from]);
    }
    m_entries = std::move(entries);
    order = {};
}

} // namespace tombreli
