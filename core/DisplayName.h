#pragma once

#include <string>
#include <string_view>

namespace tombreli {

// A file name as text to show: valid UTF-8, on one line, and different for
// every different name, so that what the user reads or copies out names the
// file it came from. Escaped, everything else kept as it is:
// - a byte that is not part of well-formed UTF-8, as \xHH;
// - a control character: tab, line feed and carriage return as \t, \n, \r,
//   the others as \xHH; a final space, which no one would see, as \x20;
// - a character that draws nothing or breaks a line (C1 controls, invisible
//   spaces and format characters, line and paragraph separators,
//   non-characters), as \uHHHH or \UHHHHHHHH;
// - the backslash itself, as \\, so that no name can pass for an escape;
// - a yen sign followed by what could read as the rest of an escape, as
//   \u00A5: Japanese fonts draw the backslash as a yen sign.
std::string DisplayName(std::string_view name);
// The same, appended to `out`: a writer of many names reuses one buffer.
void AppendDisplayName(std::string& out, std::string_view name);

// The name in printable ASCII alone, for telling apart names that look
// alike when shown: a composed and a decomposed accent, a Latin and a
// Cyrillic letter, one space or two. Every character beyond ASCII is written
// as \uHHHH or \UHHHHHHHH, a space as \x20, and the rest as DisplayName
// writes it. NameFromDisplay reads it back as well.
std::string SpelledOutName(std::string_view name);

// The bytes that a shown name stands for: the escapes above undone. A
// backslash that begins none of them is kept, as is every other character.
// NameFromDisplay(DisplayName(n)) == n for every n.
std::string NameFromDisplay(std::string_view text);

} // namespace tombreli
