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
class QPlainTextEdit;

// The program's window: two folder panes and the results area. It only wires
// its controls (Unit1.ui) to the core; the handlers are the program's own behaviour.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
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
    // The tip of the result box's line under the pointer: the name spelled out.
    void showLineToolTip(QPlainTextEdit& memo, QHelpEvent& help) const;
    QAction* commandFor(const QKeyEvent& key) const;
    tombreli::EditCommand editCommandOf(const QAction* action) const;
    void runEditCommand(tombreli::EditCommand command);

    const QScopedPointer<Ui::TForm1> m_ui;
    tombreli::CurrentFolders m_folders;
    tombreli::FolderList m_list1;
    tombreli::FolderList m_list2;
    bool m_listsOpen = false;
};

// The main window, made by the program's entry point.
extern TForm1* Form1;
