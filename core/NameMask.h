#pragma once

#include <string_view>

namespace tombreli {

// Whether a file name matches a mask: patterns separated by ";", each with "*"
// for any run of characters and "?" for any one, compared by bytes with the
// letters A to Z in either case. As on Windows, a pattern ending in ".*" also
// matches a name without a dot, so "*.*" matches every name.
bool MatchesMask(std::string_view name, std::string_view mask);

} // namespace tombreli
