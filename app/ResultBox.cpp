#include "ResultBox.h"

#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QWheelEvent>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace tombreli {

namespace {

// The keys a plain multi-line text field answers to here, and nothing more:
// Scintilla's own map would also duplicate, cut and transpose lines, change
// case and zoom. Ctrl+X/C/V/A/Z reach the box only when the window's command
// list leaves them, and then do nothing a field would not.
struct KeyBinding
{
    QsciCommand::Command command;
    int key;
    int alternateKey = 0;
};

// Where a plain text field's text begins inside its frame, in pixels.
constexpr int TextLeft = 4;
constexpr int TextTop = 5;
constexpr unsigned long DefaultStyle = QsciScintillaBase::STYLE_DEFAULT;
constexpr int Shift = Qt::SHIFT;
constexpr int Ctrl = Qt::CTRL;

// A caret movement, and the same with Shift held, which selects on the way.
struct Movement
{
    QsciCommand::Command move;
    QsciCommand::Command select;
    int key;
};

const Movement CaretMovements[] = {
    {QsciCommand::CharLeft, QsciCommand::CharLeftExtend, Qt::Key_Left},
    {QsciCommand::CharRight, QsciCommand::CharRightExtend, Qt::Key_Right},
    {QsciCommand::WordLeft, QsciCommand::WordLeftExtend, Ctrl | Qt::Key_Left},
    {QsciCommand::WordRight, QsciCommand::WordRightExtend, Ctrl | Qt::Key_Right},
    {QsciCommand::LineUp, QsciCommand::LineUpExtend, Qt::Key_Up},
    {QsciCommand::LineDown, QsciCommand::LineDownExtend, Qt::Key_Down},
    {QsciCommand::Home, QsciCommand::HomeExtend, Qt::Key_Home},
    {QsciCommand::LineEnd, QsciCommand::LineEndExtend, Qt::Key_End},
    {QsciCommand::DocumentStart, QsciCommand::DocumentStartExtend, Ctrl | Qt::Key_Home},
    {QsciCommand::DocumentEnd, QsciCommand::DocumentEndExtend, Ctrl | Qt::Key_End},
    {QsciCommand::PageUp, QsciCommand::PageUpExtend, Qt::Key_PageUp},
    {QsciCommand::PageDown, QsciCommand::PageDownExtend, Qt::Key_PageDown},
};

const KeyBinding EditingKeys[] = {
    {QsciCommand::Delete, Qt::Key_Delete},
    {QsciCommand::DeleteBack, Qt::Key_Backspace, Shift | Qt::Key_Backspace},
    {QsciCommand::DeleteWordLeft, Ctrl | Qt::Key_Backspace},
    {QsciCommand::DeleteWordRight, Ctrl | Qt::Key_Delete},
    {QsciCommand::Newline, Qt::Key_Return, Shift | Qt::Key_Return},
    {QsciCommand::SelectAll, Ctrl | Qt::Key_A},
    {QsciCommand::SelectionCut, Ctrl | Qt::Key_X, Shift | Qt::Key_Delete},
    {QsciCommand::SelectionCopy, Ctrl | Qt::Key_C, Ctrl | Qt::Key_Insert},
    {QsciCommand::Paste, Ctrl | Qt::Key_V, Shift | Qt::Key_Insert},
    {QsciCommand::Undo, Ctrl | Qt::Key_Z},
    {QsciCommand::Redo, Ctrl | Shift | Qt::Key_Z, Ctrl | Qt::Key_Y},
    {QsciCommand::Cancel, Qt::Key_Escape},
};

// The advance of each character, measured once: a box's lines are measured
// for the scroll bar without laying them out.
class CharacterWidths
{
public:
    explicit CharacterWidths(const QFont& font)
        : m_metrics(font)
    {
        for (char32_t c = 0; c < m_ascii.size(); ++c) {
            m_ascii[c] = m_metrics.horizontalAdvance(QChar(c));
        }
    }

    qreal ascii(unsigned char c) const { return m_ascii[c]; }

    qreal of(char32_t c)
    {
        const auto [found, added] = m_other.try_emplace(c, 0.0);
        if (added) {
            found->second = m_metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
        }
        return found->second;
    }

private:
    QFontMetricsF m_metrics;
    std::array<qreal, 128> m_ascii{};
    std::unordered_map<char32_t, qreal> m_other;
};

// The character that starts at text[i], and how many bytes it takes; a byte
// that starts no character counts as one of its own.
char32_t decode(const std::string& text, std::size_t i, std::size_t& length)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + length > text.size()) {
        length = 1;
    }
    if (length == 1) {
        return U'\uFFFD';
    }
    char32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    return c;
}

} // namespace

ResultBox::ResultBox(QWidget* parent)
    : QsciScintilla(parent)
{
    // A document without a style byte for each character: a memo's text has one style.
    const long document =
        SendScintilla(SCI_CREATEDOCUMENT, 0UL, static_cast<long>(SC_DOCUMENTOPTION_STYLES_NONE));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);
    setUtf8(true);
    setEolMode(EolUnix);
    setWrapMode(WrapNone);
    for (int margin = 0; margin < margins(); ++margin) {
        setMarginWidth(margin, 0);
    }
    setFolding(NoFoldStyle);
    setBraceMatching(NoBraceMatch);
    setAutoIndent(false);
    setIndentationGuides(false);
    setWhitespaceVisibility(WsInvisible);
    setCaretLineVisible(false);
    setAutoCompletionSource(AcsNone);
    // The text begins where a plain text field's does; the strip above it is the box's own, in its
    // background.
    SendScintilla(SCI_SETMARGINLEFT, 0UL, static_cast<long>(TextLeft));
    setViewportMargins(0, TextTop, 0, 0);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setScrollWidth(1);
    setScrollWidthTracking(true);
    // QsciScintilla sets a font of its own; the box takes the window's, as every control does.
    QWidget::setFont(QFont());
    QWidget::setPalette(QPalette());
    applyFontAndColours();
    keepPlainTextFieldKeys();
}

void ResultBox::fill(const std::string& utf8)
{
    SendScintilla(SCI_SETUNDOCOLLECTION, 0UL);
    // Told of the insertion, QScintilla turns the whole inserted text into a
    // QString at once: on a million lines, a second copy of the text and
    // most of the fill's time. Whoever watches the box hears of the new text
    // by textChanged all the same.
    SendScintilla(SCI_SETMODEVENTMASK, 0UL);
    SendScintilla(SCI_SETTEXT, 0UL, utf8.c_str());
    SendScintilla(SCI_SETMODEVENTMASK, static_cast<unsigned long>(SC_MODEVENTMASKALL));
    SendScintilla(SCI_SETUNDOCOLLECTION, 1UL);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    emit textChanged();
    fitScrollWidth(utf8);
}

QString ResultBox::lineTextAt(const QPoint& position) const
{
    const int line = lineAt(position);
    if (line < 0) {
        return {};
    }
    QString text = this->text(line);
    while (text.endsWith(u'\n') || text.endsWith(u'\r')) {
        text.chop(1);
    }
    return text;
}

void ResultBox::changeEvent(QEvent* event)
{
    QsciScintilla::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange) {
        applyFontAndColours();
    }
}

void ResultBox::contextMenuEvent(QContextMenuEvent* event)
{
    emit editMenuRequested(event->globalPos());
    event->accept();
}

bool ResultBox::focusNextPrevChild(bool next)
{
    // Scintilla keeps Tab to indent with; here Tab moves on, as in any memo.
    return QWidget::focusNextPrevChild(next);
}

void ResultBox::wheelEvent(QWheelEvent* event)
{
    // Ctrl with the wheel zooms in Scintilla; a text field only scrolls.
    if ((event->modifiers() & Qt::ControlModifier) != 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    QsciScintilla::wheelEvent(event);
}

void ResultBox::applyFontAndColours()
{
    // Straight to Scintilla's styles: QsciScintilla's own setters would set
    // the widget's font and palette too, which then no longer follow the window's.
    // Scintilla takes one family, not a list of them, and sizes in points.
    const QFont text = font();
    const QByteArray family = QFontInfo(text).family().toUtf8();
    const qreal points = text.pixelSize() > 0 ? text.pixelSize() * 72.0 / logicalDpiY() : text.pointSizeF();
    const QPalette& colours = palette();
    SendScintilla(SCI_STYLESETFONT, DefaultStyle, family.constData());
    SendScintilla(SCI_STYLESETSIZEFRACTIONAL, DefaultStyle,
                  static_cast<long>(std::lround(points * static_cast<int>(SC_FONT_SIZE_MULTIPLIER))));
    SendScintilla(SCI_STYLESETFORE, DefaultStyle, colours.color(QPalette::Active, QPalette::Text));
    SendScintilla(SCI_STYLESETBACK, DefaultStyle, colours.color(QPalette::Active, QPalette::Base));
    SendScintilla(SCI_STYLECLEARALL);
    SendScintilla(SCI_SETCARETFORE, colours.color(QPalette::Active, QPalette::Text));
    SendScintilla(SCI_SETSELBACK, 1UL, colours.color(QPalette::Active, QPalette::Highlight));
    SendScintilla(SCI_SETSELFORE, 1UL, colours.color(QPalette::Active, QPalette::HighlightedText));
}

void ResultBox::keepPlainTextFieldKeys()
{
    QsciCommandSet* commands = standardCommands();
    commands->clearKeys();
    commands->clearAlternateKeys();
    const auto bind = [commands](QsciCommand::Command command, int key, int alternateKey) {
        QsciCommand* found = commands->find(command);
        found->setKey(key);
        found->setAlternateKey(alternateKey);
    };
    for (const Movement& movement : CaretMovements) {
        bind(movement.move, movement.key, 0);
        bind(movement.select, Shift | movement.key, 0);
    }
    for (const KeyBinding& binding : EditingKeys) {
        bind(binding.command, binding.key, binding.alternateKey);
    }
}

void ResultBox::fitScrollWidth(const std::string& utf8)
{
    CharacterWidths widths(font());
    qreal widest = 0;
    qreal line = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte == '\n') {
            widest = std::max(widest, line);
            line = 0;
            ++i;
        } else if (byte < 0x80) {
            line += widths.ascii(byte);
            ++i;
        } else {
            std::size_t length = 1;
            line += widths.of(decode(utf8, i, length));
            i += length;
        }
    }
    widest = std::max(widest, line);
    // Room for the caret after the last character.
    setScrollWidth(std::max(1, static_cast<int>(std::ceil(widest)) + 2));
}

} // namespace tombreli
