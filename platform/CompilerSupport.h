#pragma once

#include <string>

#if defined(_MSC_VER) && !defined(__clang__)
#include <intrin.h>
#endif

namespace tombreli {

// The type of the exception being handled, as the source spells it
// ("std::runtime_error"); empty outside a handler or where the compiler's
// runtime cannot tell.
std::string currentExceptionType();

// Where the function that calls this one returns to: C++ keeps no record of
// where an error was raised, so an error report can name the code that called
// the one that failed. Inlined, so that it is the caller's own return address.
#if defined(__GNUC__)
[[gnu::always_inline]] inline const void* returnAddress()
{
    return __builtin_return_address(0);
}
#elif defined(_MSC_VER)
__forceinline const void* returnAddress()
{
    return _ReturnAddress();
}
#else
inline const void* returnAddress()
{
    return nullptr;
}
#endif

} // namespace tombreli
