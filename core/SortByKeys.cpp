#include "SortByKeys.h"

#include "InParallel.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace tombreli {

namespace {

// Keys are made on two threads from this many names on; fewer are done sooner on one.
constexpr std::size_t ParallelFrom = 1000;

// The first bytes of a key, inline, decide most comparisons without leaving
// the array: seven bytes, then the key's length up to 8 in the lowest byte,
// so that a short key sorts before a longer one it begins.
constexpr std::size_t Inline = 7;

struct Keyed
{
    std::uint64_t prefix;
    std::uint32_t name;
    std::uint32_t tail; // where the key's length and bytes past the first seven lie
};

// The keys of the names of one family that one thread made.
class KeySet
{
public:
    void add(std::uint32_t name, const std::vector<std::uint8_t>& key)
    {
        std::uint64_t prefix = 0;
        for (std::size_t i = 0; i < Inline; ++i) {
            prefix = prefix << 8 | (i < key.size() ? key[i] : 0u);
        }
        prefix = prefix << 8 | std::min<std::size_t>(key.size(), Inline + 1);
        std::uint32_t tail = 0;
        if (key.size() > Inline) {
            if (m_tails.size() > std::numeric_limits<std::uint32_t>::max() - key.size() - 4 ||
                key.size() > std::numeric_limits<std::uint32_t>::max()) {
                throw std::length_error("SortByKeys: keys too long");
            }
            tail = static_cast<std::uint32_t>(m_tails.size());
            const auto length = static_cast<std::uint32_t>(key.size());
            const auto* lengthBytes = reinterpret_cast<const std::uint8_t*>(&length);
            m_tails.insert(m_tails.end(), lengthBytes, lengthBytes + sizeof length);
            m_tails.insert(m_tails.end(), key.begin() + Inline, key.end());
        }
        m_entries.push_back({prefix, name, tail});
    }

    void reserve(std::size_t names) { m_entries.reserve(names); }

    // Orders the keys; names with equal keys by their bytes.
    bool less(const Keyed& a, const KeySet& bSet, const Keyed& b, const NameList& names) const
    {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        if ((a.prefix & 0xFF) > Inline) {
            const std::uint32_t aLength = lengthAt(a.tail);
            const std::uint32_t bLength = bSet.lengthAt(b.tail);
            const std::size_t common = std::min(aLength, bLength) - Inline;
            if (const int byKey =
                    std::memcmp(m_tails.data() + a.tail + 4, bSet.m_tails.data() + b.tail + 4, common)) {
                return byKey < 0;
            }
            if (aLength != bLength) {
                return aLength < bLength;
            }
        }
        return names[a.name] < names[b.name];
    }

    void sort(const NameList& names)
    {
        std::sort(m_entries.begin(), m_entries.end(),
                  [&](const Keyed& a, const Keyed& b) { return less(a, *this, b, names); });
    }

    const std::vector<Keyed>& entries() const { return m_entries; }

private:
    std::uint32_t lengthAt(std::uint32_t tail) const
    {
        std::uint32_t length = 0;
        std::memcpy(&length, m_tails.data() + tail, sizeof length);
        return length;
    }

    std::vector<Keyed> m_entries;
    std::vector<std::uint8_t> m_tails;
};

// Makes the keys of names[begin, end), each into the set of its family.
void makeKeys(NameKeyMaker& maker, const NameList& names, std::size_t begin, std::size_t end,
              std::vector<KeySet>& sets)
{
    std::vector<std::uint8_t> key;
    key.reserve(64);
    for (KeySet& set : sets) {
        set.reserve((end - begin) / sets.size());
    }
    for (std::size_t i = begin; i < end; ++i) {
        const unsigned family = maker.makeKey(names[i], key);
        if (family >= sets.size()) {
            throw std::logic_error("SortByKeys: a key of no family");
        }
        sets[family].add(static_cast<std::uint32_t>(i), key);
    }
}

// Sorts each thread's set on a thread of its own, then merges the two into
// the positions of their names, releasing both.
std::vector<std::uint32_t> sortedRun(KeySet& first, KeySet& second, const NameList& names, bool parallel)
{
    InParallel(
        parallel, [&] { first.sort(names); }, [&] { second.sort(names); });
    std::vector<std::uint32_t> run;
    run.reserve(first.entries().size() + second.entries().size());
    auto a = first.entries().cbegin();
    auto b = second.entries().cbegin();
    while (a != first.entries().cend() && b != second.entries().cend()) {
        if (second.less(*b, first, *a, names)) {
            run.push_back((b++)->name);
        } else {
            run.push_back((a++)->name);
        }
    }
    for (; a != first.entries().cend(); ++a) {
        run.push_back(a->name);
    }
    for (; b != second.entries().cend(); ++b) {
        run.push_back(b->name);
    }
    first = KeySet();
    second = KeySet();
    return run;
}

} // namespace

std::vector<std::vector<std::uint32_t>>
SortByKeys(const NameList& names, unsigned families,
           const std::function<std::unique_ptr<NameKeyMaker>()>& newMaker)
{
    if (names.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("SortByKeys: too many names");
    }
    const bool parallel = names.size() >= ParallelFrom;
    std::vector<KeySet> halves[2] = {std::vector<KeySet>(families), std::vector<KeySet>(families)};
    const std::size_t middle = names.size() / 2;
    InParallel(
        parallel, [&] { makeKeys(*newMaker(), names, 0, middle, halves[0]); },
        [&] { makeKeys(*newMaker(), names, middle, names.size(), halves[1]); });
    std::vector<std::vector<std::uint32_t>> runs(families);
    for (unsigned family = 0; family < families; ++family) {
        runs[family] = sortedRun(halves[0][family], halves[1][family], names, parallel);
    }
    return runs;
}

} // namespace tombreli
