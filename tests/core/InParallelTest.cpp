#include "InParallel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

namespace tombreli {
namespace {

// Each half may throw; whatever they do, both run to their end before the
// caller goes on, and what was raised reaches the caller.
TEST(InParallel, JoinsBothHalvesAndHandsOnWhatEitherRaised)
{
    struct Case
    {
        bool firstThrows;
        bool secondThrows;
    };
    for (const bool parallel : {false, true}) {
        for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}, Case{true, true}}) {
            SCOPED_TRACE(std::to_string(parallel) + std::to_string(c.firstThrows) +
                         std::to_string(c.secondThrows));
            std::atomic<int> ended{0};
            std::thread::id secondThread;
            const auto half = [&](bool throws, const char* what) {
                ++ended;
                if (throws) {
                    throw std::runtime_error(what);
                }
            };
            try {
                InParallel(
                    parallel, [&] { half(c.firstThrows, "first"); },
                    [&] {
                        secondThread = std::this_thread::get_id();
                        half(c.secondThrows, "second");
                    });
                EXPECT_FALSE(c.firstThrows || c.secondThrows);
            } catch (const std::runtime_error& error) {
                const std::string what = error.what();
                EXPECT_TRUE((what == "first" && c.firstThrows) || (what == "second" && c.secondThrows))
                    << what;
            }
            EXPECT_EQ(ended, 2);
            if (!parallel) {
                EXPECT_EQ(secondThread, std::this_thread::get_id());
            }
        }
    }
}

} // namespace
} // namespace tombreli
