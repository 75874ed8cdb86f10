// A name as the window shows it, on any bytes: one line of valid UTF-8 that
// reads back to the same bytes, and different for different names, even where
// a Japanese font draws the backslash as a yen sign. The same for the name
// spelled out in ASCII, and any text read as a typed path.
// Input: one byte, the length of the first name; the rest is the second.

#include "DisplayName.h"
#include "FuzzCheck.h"
#include "Utf8Check.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using namespace tombreli;

bool isOneLine(const std::string& text)
{
    for (const char* end : {"\n", "\r", "\v", "\f", "\xC2\x85", "\xE2\x80\xA8", "\xE2\x80\xA9"}) {
        if (text.find(end) != std::string::npos) {
            return false;
        }
    }
    return true;
}

std::string asDrawn(const std::string& text)
{
    std::string drawn;
    for (const char c : text) {
        drawn += c == '\\' ? std::string("\xC2\xA5") : std::string(1, c);
    }
    return drawn;
}

void checkName(const std::string& name)
{
    const std::string shown = DisplayName(name);
    FUZZ_REQUIRE(test::isUtf8(shown));
    FUZZ_REQUIRE(isOneLine(shown));
    FUZZ_REQUIRE(NameFromDisplay(shown) == name);
    const std::string spelled = SpelledOutName(name);
    for (const char c : spelled) {
        FUZZ_REQUIRE(c > ' ' && c < 0x7F);
    }
    FUZZ_REQUIRE(NameFromDisplay(spelled) == name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t firstLength = std::min<std::size_t>(data[0], input.size());
    const std::string first = input.substr(0, firstLength);
    const std::string second = input.substr(firstLength);
    checkName(first);
    checkName(second);
    if (first != second) {
        FUZZ_REQUIRE(asDrawn(DisplayName(first)) != asDrawn(DisplayName(second)));
    }
    // Any text typed as a path is read without fault.
    (void)NameFromDisplay(input);
    return 0;
}
