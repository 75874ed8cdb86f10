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

// The key of a name of a ranked family, a byte at a time.
class RankedKey
{
public:
    RankedKey(std::string_view name, const KeyRanks& ranks)
        : m_name(name)
        , m_ranks(ranks)
    {
    }

    // The next byte of the key, or -1 past its end.
    int next()
    {
        while (m_at < m_name.size()) {
            if (const std::uint8_t rank = m_ranks[static_cast<unsigned char>(m_name[m_at++])]) {
                return rank;
            }
        }
        return -1;
    }

private:
    std::string_view m_name;
    const KeyRanks& m_ranks;
    std::size_t m_at = 0;
};

// The keys of the names of one family that one thread made.
class KeySet
{
public:
    explicit KeySet(const KeyRanks* ranks)
        : m_ranks(ranks)
    {
    }

    bool ranked() const { return m_ranks != nullptr; }
    const KeyRanks& ranks() const { return *m_ranks; }

    // A name of a ranked family: only its first bytes are kept, the rest are
    // taken from the name again where two keys begin alike.
    void addRanked(std::uint32_t name, std::string_view bytes)
    {
        RankedKey key(bytes, *m_ranks);
        std::uint64_t prefix = 0;
        std::size_t length = 0;
        for (int rank = key.next(); rank >= 0 && length <= Inline; rank = key.next()) {
            if (length < Inline) {
                prefix = prefix << 8 | static_cast<unsigned>(rank);
            }
            ++length;
        }
        for (std::size_t i = std::min(length, Inline); i < Inline; ++i) {
            prefix <<= 8;
        }
        m_entries.push_back({prefix << 8 | length, name, 0});
    }

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
        if ((a.prefix & 0xFF) > Inline && ranked()) {
            RankedKey aKey(names[a.name], *m_ranks);
            RankedKey bKey(names[b.name], *m_ranks);
            for (std::size_t i = 0; i < Inline; ++i) {
                aKey.next();
                bKey.next();
            }
            for (int x = aKey.next(), y = bKey.next();; x = aKey.next(), y = bKey.next()) {
                if (x != y) {
                    return x < y;
                }
                if (x < 0) {
                    break;
                }
            }
        } else if ((a.prefix & 0xFF) > Inline) {
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

    const KeyRanks* m_ranks;
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
        if (sets[family].ranked()) {
            sets[family].addRanked(static_cast<std::uint32_t>(i), names[i]);
        } else {
            sets[family].add(static_cast<std::uint32_t>(i), key);
        }
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
    first = KeySet(first.ranked() ? &first.ranks() : nullptr);
    second = KeySet(second.ranked() ? &second.ranks() : nullptr);
    return run;
}

} // namespace

std::vector<std::vector<std::uint32_t>>
SortByKeys(const NameList& names, const std::vector<const KeyRanks*>& families,
           const std::function<std::unique_ptr<NameKeyMaker>()>& newMaker)
{
    if (names.size() > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("SortByKeys: too many names");
    }
    const bool parallel = names.size() >= ParallelFrom;
    std::vector<KeySet> halves[2];
    for (std::vector<KeySet>& sets : halves) {
        for (const KeyRanks* ranks : families) {
            sets.emplace_back(ranks);
        }
    }
    const std::size_t middle = names.size() / 2;
    InParallel(
        parallel, [&] { makeKeys(*newMaker(), names, 0, middle, halves[0]); },
        [&] { makeKeys(*newMaker(), names, middle, names.size(), halves[1]); });
    std::vector<std::vector<std::uint32_t>> runs(families.size());
    for (std::size_t family = 0; family < families.size(); ++family) {
        runs[family] = sortedRun(halves[0][family], halves[1][family], names, parallel);
    }
    return runs;
}

} // namespace tombreli
