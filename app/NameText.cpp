#include "NameText.h"

#include "DisplayName.h"

namespace tombreli {

QString nameText(std::string_view name)
{
    const std::string text = DisplayName(name);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString nameLines(const NameList& names)
{
    // One conversion for the whole box: a million names must not mean a million QStrings.
    std::string text;
    for (const std::string_view name : names) {
        text += DisplayName(name);
        text += '\n';
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString nameToolTip(std::string_view name)
{
    const std::string spelled = SpelledOutName(name);
    if (spelled == DisplayName(name)) {
        return {};
    }
    return QString::fromLatin1(spelled.data(), static_cast<qsizetype>(spelled.size()));
}

QString plainToolTip(const QStringList& lines)
{
    QStringList escaped;
    for (const QString& line : lines) {
        if (!line.isEmpty()) {
            escaped << line.toHtmlEscaped();
        }
    }
    if (escaped.isEmpty()) {
        return {};
    }
    return QStringLiteral("<p style=\"white-space:pre\">") + escaped.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

std::string pathBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return NameFromDisplay(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace tombreli
