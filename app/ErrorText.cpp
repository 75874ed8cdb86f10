#include "ErrorText.h"

#include <cstdint>

namespace tombreli {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString errorReportText(std::string_view message)
{
    // In UTF-8 every byte of a character beyond ASCII is above ".", so the last
    // byte decides for the last character.
    QString text = fromUtf8(message);
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') {
        text += u'.';
    }
    return text;
}

QString lastChanceText(const QString& kind, const QString& module, const void* address,
                       std::string_view message)
{
    const auto where = reinterpret_cast<std::uintptr_t>(address);
    QString text =
        QStringLiteral("%1がモジュール %2 の %3 で発生しました。\n%4")
            .arg(kind, module,
                 QStringLiteral("%1").arg(where, int(sizeof(void*) * 2), 16, QLatin1Char('0')).toUpper(),
                 fromUtf8(message));
    if (!message.ends_with('.')) {
        text += u'.';
    }
    return text;
}

} // namespace tombreli
