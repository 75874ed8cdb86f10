#include "CompilerSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace tombreli {
namespace {

struct LocalError
{};

template <typename Error> std::string typeOfThrown(Error error)
{
    try {
        throw error;
    } catch (...) {
        return currentExceptionType();
    }
}

TEST(CompilerSupport, NamesTheTypeOfTheErrorBeingHandled)
{
    EXPECT_EQ(typeOfThrown(std::runtime_error("x")), "std::runtime_error");
    EXPECT_EQ(typeOfThrown(LocalError{}), "tombreli::(anonymous namespace)::LocalError");
    EXPECT_EQ(typeOfThrown(42), "int");
    EXPECT_EQ(currentExceptionType(), "") << "outside a handler";
}

volatile int calls = 0;

const void* whereThisReturns()
{
    const void* where = returnAddress();
    // Work after the call keeps it from being a jump that would return for us.
    calls = calls + 1;
    return where;
}

TEST(CompilerSupport, GivesTheCallersReturnAddress)
{
    // Each call returns to a place of its own; an address inside the callee
    // would be the same for both. Called through a pointer that the compiler
    // must read each time, so that neither call is inlined or merged.
    const void* (*volatile call)() = whereThisReturns;
    const void* first = call();
    const void* second = call();
    EXPECT_NE(first, nullptr);
    EXPECT_NE(first, second);
}

} // namespace
} // namespace tombreli
