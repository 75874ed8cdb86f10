#include "EditCommands.h"

#include "ResultBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>

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
    case EditCommand::Redo:
        return edit.isRedoAvailable();
    }
    return false;
}

bool resultBoxCan(EditCommand command, const ResultBox& box)
{
    switch (command) {
    case EditCommand::Cut:
    case EditCommand::Copy:
    case EditCommand::Delete:
        return box.hasSelectedText();
    case EditCommand::Paste:
        return clipboardHoldsText();
    case EditCommand::SelectAll:
        return box.length() > 0;
    case EditCommand::Undo:
        return box.isUndoAvailable();
    case EditCommand::Redo:
        return box.isRedoAvailable();
    }
    return false;
}

void deleteSelection(QLineEdit& edit)
{
    edit.del();
}

void deleteSelection(ResultBox& box)
{
    box.removeSelectedText();
}

// Both kinds of text control name their editing slots alike but for Delete.
template <typename Edit> void runOn(EditCommand command, Edit& edit)
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
    case EditCommand::Redo:
        edit.redo();
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
    if (const auto* box = qobject_cast<const ResultBox*>(target)) {
        return resultBoxCan(command, *box);
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
    } else if (auto* box = qobject_cast<ResultBox*>(target)) {
        runOn(command, *box);
    }
}

} // namespace tombreli
