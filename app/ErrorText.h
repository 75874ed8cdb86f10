#pragma once

#include <QString>

#include <string_view>

namespace tombreli {

// The text of the error box for an error's message (UTF-8): a "." is added
// when the message is not empty and its last character sorts after "." byte
// by byte, so "行を挿入できません" gains one and "Disk full." or "Why?!" do not.
QString errorReportText(std::string_view message);

// The text of the last-chance box: what went wrong, where, and the message,
// which gains a "." unless it already ends with one.
QString lastChanceText(const QString& kind, const QString& module, const void* address,
                       std::string_view message);

} // namespace tombreli
