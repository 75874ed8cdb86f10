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
    for (const std::string& name : names) {
        text += DisplayName(name);
        text += '\n';
    }
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string pathBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return NameFromDisplay(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace tombreli
