#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace tombreli {

// An ordered list of file names, each held as the bytes the file system gave,
// with no folder part and no change of case or encoding.
using NameList = std::vector<std::string>;

// Asks the processor for the bytes of names[begin, end) ahead of their use.
// Once a list is sorted, its names lie scattered over the heap, a cache miss
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
