#include "EditCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace tombreli {

namespace {

bool clipboardHoldsText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText();
}

bool lineEditCan(EditCommand command, const QLineEdit& edit)
{
    switch (command) {
    case EditCommand::Cut:
    case EditCommand::Copy:
    case EditCommand::Delete:
        return edit.hasSelectedText();
    case EditCommand::Paste:
        return clipboardHoldsText();
    case EditCommand::SelectAll:
        return !edit.text().isEmpty();
    case EditCommand::Undo:
        return edit.isUndoAvailable();
    }
    return false;
}

bool textEditCan(EditCommand command, const QPlainTextEdit& edit)
{
    switch (command) {
    case EditCommand::Cut:
    case EditCommand::Copy:
    case EditCommand::Delete:
        return edit.textCursor().hasSelection();
    case EditCommand::Paste:
        return clipboardHoldsText();
    case EditCommand::SelectAll:
        return !edit.document()->isEmpty();
    case EditCommand::Undo:
        return edit.document()->isUndoAvailable();
    }
    return false;
}

void deleteSelection(QLineEdit& edit)
{
    edit.del();
}

void deleteSelection(QPlainTextEdit& edit)
{
    QTextCursor cursor = edit.textCursor();
    cursor.removeSelectedText();
    edit.setTextCursor(cursor);
}

// Both kinds of text control name their editing slots alike but for Delete.
template <typename Edit>
void runOn(EditCommand command, Edit& edit)
{
    switch (command) {
    case EditCommand::Cut:
        edit.cut();
        break;
    case EditCommand::Copy:
        edit.copy();
        break;
    case EditCommand::Paste:
        edit.paste();
        break;
    case EditCommand::SelectAll:
        edit.selectAll();
        break;
    case EditCommand::Undo:
        edit.undo();
        break;
    case EditCommand::Delete:
        deleteSelection(edit);
        break;
    }
}

} // namespace

bool editCommandAvailable(EditCommand command, const QWidget* target)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(target)) {
        return lineEditCan(command, *line);
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(target)) {
        return textEditCan(command, *text);
    }
    return false;
}

void runEditCommand(EditCommand command, QWidget* target)
{
    if (!editCommandAvailable(command, target)) {
        return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
        runOn(command, *line);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(target)) {
        runOn(command, *text);
    }
}

} // namespace tombreli
