#pragma once

class QWidget;

namespace tombreli {

// The standard editing commands, as they act on a text control: a path field
// (QLineEdit) or a result box (ResultBox). On any other widget none is available.
enum class EditCommand
{
    Cut,       // the selection is not empty
    Copy,      // the selection is not empty
    Paste,     // the clipboard holds text
    SelectAll, // the control holds any text
    Undo,      // the control has a change to undo
    Delete,    // the selection is not empty
    Redo,      // the control has an undone change to redo; in the context menu only
};

// Whether `command` can act on `target` now, by the condition beside it above.
bool editCommandAvailable(EditCommand command, const QWidget* target);

// Acts on `target` if the command is available there; else does nothing.
void runEditCommand(EditCommand command, QWidget* target);

} // namespace tombreli
