#include "CompilerSupport.h"

#if __has_include(<cxxabi.h>)
#include <cstdlib>
#include <cxxabi.h>
#include <memory>
#include <typeinfo>
#endif

namespace tombreli {

std::string currentExceptionType()
{
#if __has_include(<cxxabi.h>)
    // The Itanium C++ ABI of GCC and Clang, mingw's included.
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (type == nullptr) {
        return {};
    }
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
    return status == 0 && name ? name.get() : type->name();
#else
    return {};
#endif
}

} // namespace tombreli
