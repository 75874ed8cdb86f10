#pragma once

#include "NameList.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tombreli {

// Names and paths are the file system's bytes; the controls hold text. These
// turn the one into the other without losing a byte on the way.

// A name or path as the controls show it: one line, every byte accounted for.
QString nameText(std::string_view name);

// The text of a result box as UTF-8: each name shown on a line of its own,
// each line ended with a line break (LF, as the boxes end their lines on
// every host). Bytes, not a QString: a box takes them as they are.
std::string nameLines(const NameList& names);
// The same for the names whose mark in `marks` (one a name) is `wanted`: a
// group of a comparison, read by position from its list without a copy.
std::string nameLines(const NameList& names, const std::vector<std::uint8_t>& marks, std::uint8_t wanted);

// Whether a name, as shown, could pass for another: it holds a character that
// draws nothing or draws as something else (invisible, format and combining
// characters, spaces other than the plain one, bytes that are not UTF-8), a
// form that is not NFC, letters of more than one of the look-alike scripts
// (Latin, Cyrillic, Greek), or a space at either end. Plain kana, kanji and
// ASCII cannot.
bool canPassForAnother(std::string_view name);

// The name spelled out in plain ASCII (SpelledOutName), for a tip that tells
// look-alikes apart; empty for a name that cannot pass for another or that is
// shown as it is spelled.
QString nameToolTip(std::string_view name);

// Lines of plain text as a tool tip shows them: Qt takes a tip that looks like
// markup for markup, and a name can look like anything. Long lines wrap, so
// that no tip runs off the screen.
QString plainToolTip(const QStringList& lines);

// The bytes of a path that the user typed or pasted: its UTF-8, with the
// escapes that nameText writes undone, so that a path shown can be applied.
std::string pathBytes(const QString& text);

} // namespace tombreli
