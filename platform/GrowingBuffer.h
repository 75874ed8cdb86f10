#pragma once

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tombreli {

// Reads a text of unknown length from a system call that fills a buffer.
// `fill(data, size)` returns the length it wrote; `size` or more when the
// buffer was too small (the length it needs, where the call tells it), and
// the buffer then grows and the call is made again; negative on failure.
template <typename Char, typename Fill>
std::optional<std::basic_string<Char>> readIntoGrowingBuffer(Fill fill, std::size_t initialSize)
{
    std::vector<Char> buffer(initialSize);
    while (true) {
        const long long length = fill(buffer.data(), buffer.size());
        if (length < 0) {
            return std::nullopt;
        }
        const auto used = static_cast<std::size_t>(length);
        if (used < buffer.size()) {
            return std::basic_string<Char>(buffer.data(), used);
        }
        buffer.resize(std::max(used + 1, buffer.size() * 2));
    }
}

} // namespace tombreli
