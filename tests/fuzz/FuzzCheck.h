#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tombreli::fuzz {

// Stops the run as a crash, so that libFuzzer keeps the input that broke a rule.
[[noreturn]] inline void broken(const char* rule, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: rule broken: %s\n", file, line, rule);
    std::abort();
}

// The first line of `data` and what follows it; all of it is the rest when there is no line break.
struct Split
{
    std::string_view head;
    std::string_view rest;
    bool found;
};
inline Split splitAtNewline(std::string_view data)
{
    const auto end = data.find('\n');
    if (end == std::string_view::npos) {
        return {{}, data, false};
    }
    return {data.substr(0, end), data.substr(end + 1), true};
}

} // namespace tombreli::fuzz

#define FUZZ_REQUIRE(condition)                                                                              \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            ::tombreli::fuzz::broken(#condition, __FILE__, __LINE__);                                        \
        }                                                                                                    \
    } while (false)
