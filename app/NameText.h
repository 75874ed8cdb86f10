#pragma once

#include "NameList.h"

#include <QString>
#include <QStringList>

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

// The name spelled out in plain ASCII (SpelledOutName), for a tip that tells
// look-alikes apart; empty for a name that is shown as it is spelled.
QString nameToolTip(std::string_view name);

// Lines of plain text as a tool tip shows them: Qt takes a tip that looks like
// markup for markup, and a name can look like anything.
QString plainToolTip(const QStringList& lines);

// The bytes of a path that the user typed or pasted: its UTF-8, with the
// escapes that nameText writes undone, so that a path shown can be applied.
std::string pathBytes(const QString& text);

} // namespace tombreli
