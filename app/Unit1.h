#pragma once

#include "CurrentFolders.h"
#include "EditCommands.h"
#include "FolderList.h"

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class TForm1;
}

class QAction;
class QHelpEvent;

namespace tombreli {
class FileServices;
class NameOrder;
class PathSyntax;
class ResultBox;
} // namespace tombreli

// The program's window: two folder panes and the results area. It only wires
// its controls (Unit1.ui) to the core; the handlers are the program's own
// behaviour. It reaches the host through the ports it is given (the program
// gives the host's own), which must outlive it; the lists start in the
// working folder of `files`.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    TForm1(tombreli::FileServices& files, const tombreli::NameOrder& order,
           const tombreli::PathSyntax& syntax, QWidget* parent = nullptr);
    ~TForm1() override;

    // The folder lists read their folders for the first time as the window is first shown.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();

    void scaleAtLoad();
    // The designed place, or as near to it as keeps the window on its screen.
    void placeOnScreen();
    // The tip of the result box's line under the pointer: the name spelled out.
    void showLineToolTip(tombreli::ResultBox& memo, QHelpEvent& help) const;
    // A result box's context menu: a path field's entries, in its words, run
    // as the command list runs them.
    void showEditMenu(tombreli::ResultBox& memo, const QPoint& globalPosition);
    QAction* commandFor(const QKeyEvent& key) const;
    tombreli::EditCommand editCommandOf(const QAction* action) const;
    // The command list's action for `command`; nullptr for one it does not hold (Redo).
    QAction* actionOf(tombreli::EditCommand command) const;
    void runEditCommand(tombreli::EditCommand command);

    const QScopedPointer<Ui::TForm1> m_ui;
    tombreli::FileServices& m_files;
    const tombreli::PathSyntax& m_syntax;
    tombreli::CurrentFolders m_folders;
    tombreli::FolderList m_list1;
    tombreli::FolderList m_list2;
    bool m_listsOpen = false;
};

// The main window, made by the program's entry point.
extern TForm1* Form1;
