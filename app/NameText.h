#pragma once

#include "NameList.h"

#include <QString>

#include <string>
#include <string_view>

namespace tombreli {

// Names and paths are the file system's bytes; the controls hold text. These
// turn the one into the other without losing a byte on the way.

// A name or path as the controls show it: one line, every byte accounted for.
QString nameText(std::string_view name);

// The text of a result box: each name shown on a line of its own, each line
// ended with a line break (LF, which is how QPlainTextEdit parts its lines on
// every host).
QString nameLines(const NameList& names);

// The bytes of a path that the user typed or pasted: its UTF-8, with the
// escapes that nameText writes undone, so that a path shown can be applied.
std::string pathBytes(const QString& text);

} // namespace tombreli
