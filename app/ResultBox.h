#pragma once

#include <Qsci/qsciscintilla.h>

#include <string>

namespace tombreli {

// A result box: a plain multi-line text field built on Scintilla, which keeps
// a million lines as one buffer of bytes and lays out only those on screen.
// Configured as a memo, not a code editor: no margins, lexer or marks, the
// window's font and the palette's colours, lines that do not wrap, and only
// the keys of a plain text field. Tab moves the focus on. Its own context
// menu is left to the window (editMenuRequested), whose menu speaks the
// window's language.
class ResultBox : public QsciScintilla
{
    Q_OBJECT

public:
    explicit ResultBox(QWidget* parent = nullptr);

    // Replaces the whole text with `utf8`, in one go and beyond undo: the
    // user's own edits afterwards can be undone, the fill cannot.
    void fill(const std::string& utf8);

    // The line under `position` (the viewport's coordinates), without its
    // line break; empty when there is no line there.
    QString lineTextAt(const QPoint& position) const;

signals:
    void editMenuRequested(const QPoint& globalPosition);

protected:
    void changeEvent(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void applyFontAndColours();
    void keepPlainTextFieldKeys();
    // Lets the horizontal scroll bar reach the widest line of `utf8`.
    void fitScrollWidth(const std::string& utf8);
};

} // namespace tombreli
