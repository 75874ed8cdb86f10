#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string_view>
#include <vector>

namespace tombreli {

// An ordered list of file names, each held as the bytes the file system gave,
// with no folder part and no change of case or encoding.
//
// The bytes of all names lie in a few large chunks, one after the other, and
// a table finds each name by its chunk, offset and length: a million names
// are a few dozen blocks of memory, not a million.
// - Names are handed out as std::string_view; a view stays valid until the
//   list is cleared, assigned or destroyed (appending, reordering and moving
//   the list keep it).
// - Appending copies the name's bytes after the last; it allocates only for a
//   new chunk (growing up to 1 MiB each, never moved) or when the table grows.
// - reorder() and sort() move the entries of the table, never the bytes.
// - A name may be at most 16 MiB long, and a list may hold up to a million
//   chunks; beyond that, appending throws std::length_error. Memory that runs
//   out throws std::bad_alloc, and the list stays as it was.
// - Copies are deep and compact; two lists are equal when they hold equal
//   names in the same order.
class NameList
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using reference = std::string_view;
        using pointer = void;

        const_iterator() = default;
        const_iterator(const NameList* list, std::size_t i)
            : m_list(list)
            , m_i(i)
        {
        }

        std::string_view operator*() const { return (*m_list)[m_i]; }
        std::string_view operator[](difference_type n) const
        {
            return (*m_list)[m_i + static_cast<std::size_t>(n)];
        }
        const_iterator& operator++()
        {
            ++m_i;
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++m_i;
            return before;
        }
        const_iterator& operator--()
        {
            --m_i;
            return *this;
        }
        const_iterator operator--(int)
        {
            const_iterator before = *this;
            --m_i;
            return before;
        }
        const_iterator& operator+=(difference_type n)
        {
            m_i += static_cast<std::size_t>(n);
            return *this;
        }
        const_iterator& operator-=(difference_type n)
        {
            m_i -= static_cast<std::size_t>(n);
            return *this;
        }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b)
        {
            return static_cast<difference_type>(a.m_i) - static_cast<difference_type>(b.m_i);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.m_i == b.m_i; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.m_i <=> b.m_i; }

    private:
        const NameList* m_list = nullptr;
        std::size_t m_i = 0;
    };
    using iterator = const_iterator;
    using value_type = std::string_view;
    using size_type = std::size_t;

    NameList() = default;
    NameList(const NameList& other);
    NameList(NameList&& other) noexcept = default;
    NameList& operator=(const NameList& other);
    NameList& operator=(NameList&& other) noexcept = default;
    ~NameList() = default;
    NameList(std::initializer_list<std::string_view> names);
    // From any range of things a std::string_view can be made of.
    template <typename It> NameList(It first, It last)
    {
        for (; first != last; ++first) {
            push_back(std::string_view(*first));
        }
    }

    std::size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    // The bytes of all names together.
    std::size_t byteCount() const { return m_byteCount; }

    std::string_view operator[](std::size_t i) const
    {
        const std::uint64_t entry = m_entries[i];
        return {m_chunks[entry >> ChunkShift].get() + ((entry >> LengthBits) & MaxOffset),
                static_cast<std::size_t>(entry & MaxLength)};
    }
    // As operator[], but throws std::out_of_range past the end.
    std::string_view at(std::size_t i) const;
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Appends a copy of `name`, which may be a view into this same list.
    void push_back(std::string_view name);
    // Room for `names` more names in the table, so that appending them
    // allocates no more than their chunks; `bytes`, their size, sets the
    // size of the next chunk.
    void reserve(std::size_t names, std::size_t bytes = 0);
    void clear();

    // Puts the name at position order[k] in position k, for every k. `order`
    // must hold each position of the list once; it is released on success.
    // Throws std::invalid_argument, the list unchanged, when it is no such
    // permutation.
    void reorder(std::vector<std::uint32_t>&& order);

    // Sorts by `less`, a strict weak order on std::string_view; equal names
    // keep no particular order.
    template <typename Less> void sort(Less less)
    {
        std::vector<std::uint32_t> order(size());
        for (std::size_t i = 0; i < order.size(); ++i) {
            order[i] = static_cast<std::uint32_t>(i);
        }
        std::sort(order.begin(), order.end(),
                  [&](std::uint32_t a, std::uint32_t b) { return less((*this)[a], (*this)[b]); });
        reorder(std::move(order));
    }

    friend bool operator==(const NameList& a, const NameList& b)
    {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }

private:
    // Each entry: the chunk, the offset in it, the length, from high to low bits.
    static constexpr unsigned LengthBits = 24;
    static constexpr unsigned OffsetBits = 20;
    static constexpr unsigned ChunkShift = LengthBits + OffsetBits;
    static constexpr std::uint64_t MaxLength = (std::uint64_t{1} << LengthBits) - 1;
    static constexpr std::uint64_t MaxOffset = (std::uint64_t{1} << OffsetBits) - 1;
    static constexpr std::size_t MaxChunks = std::size_t{1} << (64 - ChunkShift);
    // A chunk holds at most this much, but for a longer name alone.
    static constexpr std::size_t LargestChunk = std::size_t{1} << OffsetBits;

    void addChunk(std::size_t size);

    std::vector<std::unique_ptr<char[]>> m_chunks;
    std::size_t m_lastSize = 0; // of the last chunk
    std::size_t m_lastUsed = 0; // bytes used in it
    std::size_t m_nextSize = 4096;
    std::size_t m_byteCount = 0;
    std::vector<std::uint64_t> m_entries;
};

// Asks the processor for the bytes of names[begin, end) ahead of their use.
// Once a list is sorted, its names lie scattered over its buffer, a cache miss
// each, which a pass over a million of them would otherwise wait out in turn.
inline void PrefetchNames([[maybe_unused]] const NameList& names, [[maybe_unused]] std::size_t begin,
                          [[maybe_unused]] std::size_t end)
{
#if defined(__GNUC__)
    for (std::size_t i = begin; i < std::min(end, names.size()); ++i) {
        __builtin_prefetch(names[i].data());
    }
#endif
}

} // namespace tombreli
