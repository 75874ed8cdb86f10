#pragma once

#include <atomic>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace tombreli {

// Runs first() on this thread and second() on a thread of its own, or both
// here in turn when `parallel` is false (the work is too small to be worth a
// thread) or no thread can be started. Returns once both halves have ended,
// whatever they did; if either raised, the exception raised first is thrown
// to the caller, and the other half still runs to its end.
template <typename First, typename Second> void InParallel(bool parallel, First&& first, Second&& second)
{
    std::exception_ptr raised;
    std::atomic_flag taken;
    const auto run = [&](auto& half) {
        try {
            half();
        } catch (...) {
            if (!taken.test_and_set()) {
                raised = std::current_exception();
            }
        }
    };
    std::jthread other;
    if (parallel && std::thread::hardware_concurrency() != 1) {
        try {
            other = std::jthread([&] { run(second); });
        } catch (const std::system_error&) {
            // No thread to be had: the work is the same on this one.
        }
    }
    run(first);
    if (other.joinable()) {
        other.join();
    } else {
        run(second);
    }
    if (raised) {
        std::rethrow_exception(raised);
    }
}

} // namespace tombreli
