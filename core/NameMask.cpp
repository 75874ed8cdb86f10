#include "NameMask.h"

#include "AsciiCase.h"

namespace tombreli {

namespace {

// Wildcard match with backtracking to the last "*": linear in practice, and
// never worse than |name| x |pattern|.
bool matchesPattern(std::string_view name, std::string_view pattern)
{
    if (pattern == "*") {
        return true;
    }
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

bool MatchesMask(std::string_view name, std::string_view mask)
{
    // The lists' own mask, asked of every name of a folder.
    if (mask == "*.*") {
        return true;
    }
    while (true) {
        const std::size_t end = mask.find(';');
        const std::string_view pattern = mask.substr(0, end);
        if (matchesPattern(name, pattern)) {
            return true;
        }
        if (pattern.ends_with(".*") && name.find('.') == std::string_view::npos &&
            matchesPattern(name, pattern.substr(0, pattern.size() - 2))) {
            return true;
        }
        if (end == std::string_view::npos) {
            return false;
        }
        mask.remove_prefix(end + 1);
    }
}

} // namespace tombreli
