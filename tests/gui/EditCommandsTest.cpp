#include "GuiTest.h"
#include "ResultBox.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace tombreli::test {
namespace {

class EditCommandsTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_work = threeFileFolder();
        m_window = openWindow(m_work->path());
        QGuiApplication::clipboard()->setText(QStringLiteral("on the clipboard"));
    }
    void cleanup()
    {
        m_window.reset();
        m_work.reset();
    }

    void commandListHoldsTheSevenCommandsInOrder()
    {
        const auto* list = m_window->findChild<QActionGroup*>(QStringLiteral("ActionList1"));
        QVERIFY(list != nullptr);
        QStringList names;
        QStringList shortcuts;
        for (const QAction* action : list->actions()) {
            names << action->objectName();
            shortcuts << action->shortcut().toString(QKeySequence::PortableText);
            QVERIFY(m_window->actions().contains(action));
        }
        QCOMPARE(names, QStringList({QStringLiteral("Action1"), QStringLiteral("EditCut1"),
                                     QStringLiteral("EditCopy1"), QStringLiteral("EditPaste1"),
                                     QStringLiteral("EditSelectAll1"), QStringLiteral("EditUndo1"),
                                     QStringLiteral("EditDelete1")}));
        QCOMPARE(shortcuts, QStringList({QString(), QStringLiteral("Ctrl+X"), QStringLiteral("Ctrl+C"),
                                         QStringLiteral("Ctrl+V"), QStringLiteral("Ctrl+A"),
                                         QStringLiteral("Ctrl+Z"), QStringLiteral("Del")}));
        QCOMPARE(list->actions().front()->text(), QStringLiteral("Action1"));
    }

    void selectAllThenCopyTakesEveryResult()
    {
        click(control<QPushButton>(*m_window, "Button3"));
        auto* memo = control<ResultBox>(*m_window, "Memo1");
        memo->setFocus();
        QSignalSpy selectAll(command("EditSelectAll1"), &QAction::triggered);
        QSignalSpy copy(command("EditCopy1"), &QAction::triggered);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a.txt\nb.txt\nc.txt\n"));
        QCOMPARE(selectAll.size(), 1);
        QCOMPARE(copy.size(), 1);
    }

    void selectAllInAnEmptyBoxDoesNothing()
    {
        click(control<QPushButton>(*m_window, "Button3"));
        auto* memo = control<ResultBox>(*m_window, "Memo2");
        memo->setFocus();
        QSignalSpy selectAll(command("EditSelectAll1"), &QAction::triggered);
        QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(selectAll.size(), 0);
        QVERIFY(!memo->hasSelectedText());
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("on the clipboard"));
    }

    void pastedPathIsAppliedByFetch()
    {
        TempFolder other;
        other.createFile("o1");
        QGuiApplication::clipboard()->setText(pathText(other.path()));
        auto* edit = control<QLineEdit>(*m_window, "Edit1");
        edit->setFocus();
        QSignalSpy paste(command("EditPaste1"), &QAction::triggered);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(paste.size(), 1);
        QCOMPARE(edit->text(), pathText(other.path()));
        click(control<QPushButton>(*m_window, "Button1"));
        QCOMPARE(shownNames(control<QListView>(*m_window, "FileListBox1")),
                 QStringList{QStringLiteral("o1")});
    }

    void deleteTakesTheSelectionOrElseOneCharacter()
    {
        auto* edit = control<QLineEdit>(*m_window, "Edit2");
        edit->setText(QStringLiteral("abcdef"));
        edit->setFocus();
        QSignalSpy del(command("EditDelete1"), &QAction::triggered);
        edit->setCursorPosition(0);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("bcdef"));
        QCOMPARE(del.size(), 0);
        edit->setSelection(1, 3);
        QTest::keyClick(edit, Qt::Key_Delete);
        QCOMPARE(edit->text(), QStringLiteral("bf"));
        QCOMPARE(del.size(), 1);
        // The keypad's Del is the same command.
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete, Qt::KeypadModifier);
        QCOMPARE(edit->text(), QString());
        QCOMPARE(del.size(), 2);
    }

    void cutMovesTheSelectionToTheClipboard()
    {
        auto* edit = control<QLineEdit>(*m_window, "Edit1");
        edit->setText(QStringLiteral("/tmp/data/"));
        edit->setFocus();
        edit->setSelection(5, 4);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("data"));
        QCOMPARE(edit->text(), QStringLiteral("/tmp//"));
        // Nothing selected: nothing to cut, and the clipboard keeps what it has.
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("data"));
        QCOMPARE(edit->text(), QStringLiteral("/tmp//"));
    }

    void undoTakesBackTypingButNotACompare()
    {
        auto* edit = control<QLineEdit>(*m_window, "Edit1");
        const QString before = edit->text();
        edit->setFocus();
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QSignalSpy undo(command("EditUndo1"), &QAction::triggered);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(edit->text(), before);
        QCOMPARE(undo.size(), 1);

        auto* memo = control<ResultBox>(*m_window, "Memo3");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("typed"));
        click(control<QPushButton>(*m_window, "Button3"));
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(memo->text(), QString());
        QCOMPARE(undo.size(), 1);
    }

    void copyWithTheFocusOffTheTextControlsCopiesNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("first list") << QStringLiteral("FileListBox1");
        QTest::newRow("second list") << QStringLiteral("FileListBox2");
        QTest::newRow("fetch button") << QStringLiteral("Button1");
        QTest::newRow("compare button") << QStringLiteral("Button3");
    }
    void copyWithTheFocusOffTheTextControlsCopiesNothing()
    {
        QFETCH(QString, focus);
        auto* widget = m_window->findChild<QWidget*>(focus);
        if (auto* list = qobject_cast<QListView*>(widget)) {
            list->setCurrentIndex(list->model()->index(1, 0));
        }
        // A text control that still holds a selection must not be copied from either.
        control<QLineEdit>(*m_window, "Edit1")->selectAll();
        widget->setFocus();
        QCOMPARE(QApplication::focusWidget(), widget);
        for (const auto key : {Qt::Key_C, Qt::Key_Insert}) {
            QTest::keyClick(widget, key, Qt::ControlModifier);
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("on the clipboard"));
    }

    void commandsActOnWhicheverTextControlHasTheFocus_data()
    {
        QTest::addColumn<QString>("focus");
        for (const char* name : {"Edit1", "Edit2", "Memo1", "Memo2", "Memo3"}) {
            QTest::newRow(name) << QString::fromLatin1(name);
        }
    }
    void commandsActOnWhicheverTextControlHasTheFocus()
    {
        QFETCH(QString, focus);
        auto* widget = m_window->findChild<QWidget*>(focus);
        widget->setFocus();
        QSignalSpy copy(command("EditCopy1"), &QAction::triggered);
        QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(copy.size(), 1);
        const QString text = qobject_cast<QLineEdit*>(widget) != nullptr
                                 ? qobject_cast<QLineEdit*>(widget)->text()
                                 : qobject_cast<ResultBox*>(widget)->text();
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
    }

private:
    QAction* command(const char* name) const
    {
        return m_window->findChild<QAction*>(QString::fromLatin1(name));
    }

    std::unique_ptr<TempFolder> m_work;
    std::unique_ptr<TForm1> m_window;
};

TOMBRELI_GUI_TEST_CLASS(EditCommandsTest);

} // namespace

} // namespace tombreli::test

#include "EditCommandsTest.moc"
