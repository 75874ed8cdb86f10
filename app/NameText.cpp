#include "NameText.h"

#include "DisplayName.h"

namespace tombreli {

QString nameText(std::string_view name)
{
    const std::string text = DisplayName(name);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

template <typename Keep> std::string linesOf(const NameList& names, Keep keep)
{
    // Sized once for the names as they are: growing a box's text step by step
    // costs a copy and fresh pages at each step. Escapes may add a little.
    std::size_t size = 0;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (keep(i)) {
            size += names[i].size() + 1;
        }
    }
    std::string text;
    text.reserve(size + size / 16);
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (keep(i)) {
            AppendDisplayName(text, names[i]);
            text += '\n';
        }
    }
    return text;
}

} // namespace

std::string nameLines(const NameList& names)
{
    return linesOf(names, [](std::size_t) { return true; });
}

std::string nameLines(const NameList& names, const std::vector<std::uint8_t>& marks, std::uint8_t wanted)
{
    return linesOf(names, [&](std::size_t i) { return marks[i] == wanted; });
}

bool canPassForAnother(std::string_view name)
{
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (text.isEmpty()) {
        return false;
    }
    if (text.front() == u' ' || text.back() == u' ' ||
        text.normalized(QString::NormalizationForm_C) != text) {
        return true;
    }
    bool latin = false;
    bool cyrillic = false;
    bool greek = false;
    for (const char32_t c : text.toUcs4()) {
        switch (QChar::category(c)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Other_PrivateUse:
        case QChar::Other_NotAssigned:
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return true;
        case QChar::Separator_Space:
            if (c != U' ') {
                return true;
            }
            break;
        default:
            break;
        }
        if (QChar::isLetter(c)) {
            const QChar::Script script = QChar::script(c);
            latin = latin || script == QChar::Script_Latin;
            cyrillic = cyrillic || script == QChar::Script_Cyrillic;
            greek = greek || script == QChar::Script_Greek;
        }
    }
    // A byte that is not UTF-8 came in as U+FFFD, and a name can spell that itself.
    if (text.contains(QChar::ReplacementCharacter)) {
        return true;
    }
    return (latin ? 1 : 0) + (cyrillic ? 1 : 0) + (greek ? 1 : 0) > 1;
}

QString nameToolTip(std::string_view name)
{
    if (!canPassForAnother(name)) {
        return {};
    }
    const std::string spelled = SpelledOutName(name);
    if (spelled == DisplayName(name)) {
        return {};
    }
    return QString::fromLatin1(spelled.data(), static_cast<qsizetype>(spelled.size()));
}

namespace {

// `line` with room to break it before every escape and within every long
// run that has no other place to break: a tip wraps only where it may.
QString breakable(const QString& line)
{
    constexpr qsizetype LongestRun = 32;
    constexpr QChar BreakHere(0x200B);
    QString text;
    qsizetype run = 0;
    for (const QChar c : line) {
        if (c == u'\\' || run == LongestRun) {
            text += BreakHere;
            run = 0;
        }
        text += c;
        run = c.isSpace() ? 0 : run + 1;
    }
    return text;
}

} // namespace

QString plainToolTip(const QStringList& lines)
{
    QStringList escaped;
    for (const QString& line : lines) {
        if (!line.isEmpty()) {
            escaped << breakable(line).toHtmlEscaped();
        }
    }
    if (escaped.isEmpty()) {
        return {};
    }
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + escaped.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

std::string pathBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return NameFromDisplay(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

} // namespace tombreli
