#pragma once

#include <string>
#include <string_view>

namespace tombreli {

// Whether the system's narrow character set is double-byte (code page 932 and
// the like), where folder paths fold only the letters A to Z.
bool doubleByteSystem();

// The system's own lower-casing of a whole WTF-8 text, character for
// character; full-width letters are left as they are. A text that is not
// well-formed WTF-8 comes back unchanged.
std::string systemLowerCase(std::string_view text);

} // namespace tombreli
