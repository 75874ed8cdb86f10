#include "NameList.h"

#include <stdexcept>
#include <utility>

namespace tombreli {

namespace {

constexpr std::uint64_t MaxOffset = (std::uint64_t{1} << 40) - 1;

} // namespace

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

void NameList::push_back(std::string_view name)
{
    const std::uint64_t offset = m_bytes.size();
    if (name.size() > MaxLength || offset + name.size() > MaxOffset) {
        throw std::length_error("NameList: name or list too long");
    }
    // A name of this list itself is copied out first: growing the buffer
    // would leave it dangling.
    if (!name.empty() && !m_bytes.empty() && name.data() >= m_bytes.data() &&
        name.data() < m_bytes.data() + m_bytes.size()) {
        const std::vector<char> copy(name.begin(), name.end());
        push_back(std::string_view(copy.data(), copy.size()));
        return;
    }
    m_entries.push_back(offset << LengthBits | name.size());
    try {
        m_bytes.insert(m_bytes.end(), name.begin(), name.end());
    } catch (...) {
        m_entries.pop_back();
        throw;
    }
}

void NameList::reserve(std::size_t names, std::size_t bytes)
{
    m_entries.reserve(m_entries.size() + names);
    m_bytes.reserve(m_bytes.size() + bytes);
}

void NameList::clear()
{
    m_entries.clear();
    m_bytes.clear();
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
    // Cycle by cycle, marking each position done by pointing it at itself.
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (order[start] == start) {
            continue;
        }
        const std::uint64_t first = m_entries[start];
        std::size_t k = start;
        while (order[k] != start) {
            const std::size_t from = order[k];
            m_entries[k] = m_entries[from];
            order[k] = static_cast<std::uint32_t>(k);
            k = from;
        }
        m_entries[k] = first;
        order[k] = static_cast<std::uint32_t>(k);
    }
}

} // namespace tombreli
