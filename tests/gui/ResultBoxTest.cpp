// The result boxes as a person uses them: a plain memo, whatever widget
// holds the text.

#include "ResultBox.h"

#include "GuiTest.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace tombreli::test {
namespace {

// A menu entry as a test compares it: its text, marked when it is disabled.
const QString Disabled = QStringLiteral(" (disabled)");

// The entries of a path field's menu, by their place: undo, redo, a line, cut,
// copy, paste, delete, a line, select all.
constexpr int CopyEntry = 4;
constexpr int SelectAllEntry = 8;

// Opens `widget`'s context menu as a right click at `pos` does, notes its
// entries, then picks the one at `pick` (none when -1) or closes it.
QStringList openContextMenu(QWidget* widget, QPoint pos, int pick = -1)
{
    // A menu shows a shortcut only where the active window has none for it;
    // a menu closed before may have left no window active.
    widget->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(widget->window())) {
        qWarning("the window is not active");
    }
    QStringList entries;
    bool seen = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || seen) {
            return;
        }
        seen = true;
        const QList<QAction*> actions = menu->actions();
        for (const QAction* action : actions) {
            entries << (action->isSeparator() ? QStringLiteral("-") : action->text()) +
                           (action->isEnabled() ? QString() : Disabled);
        }
        QAction* chosen = pick >= 0 && pick < actions.size() ? actions[pick] : nullptr;
        if (chosen != nullptr) {
            menu->setActiveAction(chosen);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            menu->close();
        }
    });
    poll.start();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
    // A menu may also open without waiting for its choice.
    for (int wait = 0; wait < 200 && (!seen || QApplication::activePopupWidget() != nullptr); ++wait) {
        QTest::qWait(10);
    }
    QCoreApplication::sendPostedEvents();
    return entries;
}

class ResultBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_work = threeFileFolder();
        m_window = openWindow(m_work->path());
        m_memo = control<ResultBox>(*m_window, "Memo1");
        QGuiApplication::clipboard()->setText(QStringLiteral("on the clipboard"));
    }
    void cleanup()
    {
        m_window.reset();
        m_work.reset();
    }

    void editorKeysChangeNothing_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        const auto row = [](const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QTest::newRow(name) << int(key) << int(modifiers.toInt());
        };
        row("duplicate line", Qt::Key_D, Qt::ControlModifier);
        row("cut line", Qt::Key_L, Qt::ControlModifier);
        row("delete line", Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        row("copy line", Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        row("transpose lines", Qt::Key_T, Qt::ControlModifier);
        row("lower case", Qt::Key_U, Qt::ControlModifier);
        row("upper case", Qt::Key_U, Qt::ControlModifier | Qt::ShiftModifier);
        row("zoom in", Qt::Key_Plus, Qt::ControlModifier);
        row("zoom out", Qt::Key_Minus, Qt::ControlModifier);
        row("delete to line start", Qt::Key_Backspace, Qt::ControlModifier | Qt::ShiftModifier);
        row("delete to line end", Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        row("overtype", Qt::Key_Insert, Qt::NoModifier);
        row("move lines up", Qt::Key_Up, Qt::AltModifier | Qt::ShiftModifier);
    }
    void editorKeysChangeNothing()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        click(control<QPushButton>(*m_window, "Button3"));
        m_memo->setFocus();
        m_memo->setCursorPosition(1, 1);
        const QString before = m_memo->text();
        const long zoom = m_memo->SendScintilla(QsciScintillaBase::SCI_GETZOOM);
        QTest::keyClick(m_memo, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTest::keyClicks(m_memo, QStringLiteral("x"));
        // Only the typed letter came in, where the caret stood.
        QCOMPARE(m_memo->text(), QStringLiteral("a.txt\nbx.txt\nc.txt\n"));
        QCOMPARE(m_memo->SendScintilla(QsciScintillaBase::SCI_GETZOOM), zoom);
        QVERIFY(before != m_memo->text());
    }

    void plainTextFieldKeysWork()
    {
        click(control<QPushButton>(*m_window, "Button3"));
        m_memo->setFocus();
        m_memo->setCursorPosition(0, 0);
        QTest::keyClick(m_memo, Qt::Key_End);
        QTest::keyClick(m_memo, Qt::Key_Down);
        QTest::keyClick(m_memo, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(m_memo->selectedText(), QStringLiteral("b.txt"));
        QTest::keyClick(m_memo, Qt::Key_Backspace);
        QTest::keyClicks(m_memo, QStringLiteral("z"));
        QTest::keyClick(m_memo, Qt::Key_Return);
        QTest::keyClick(m_memo, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(m_memo, Qt::Key_Left, Qt::ShiftModifier);
        QTest::keyClick(m_memo, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
        QCOMPARE(m_memo->text(), QStringLiteral("a.txt\nz\n\nc.txt\n"));
        QCOMPARE(m_memo->selectedText(), QStringLiteral("txt\n"));
        // Undo and redo by the field's own keys.
        QTest::keyClick(m_memo, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(m_memo, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(m_memo->text(), QStringLiteral("a.txt\nz\n\nc.txt\n"));
    }

    void tabMovesOnAndBackWithoutATab()
    {
        m_memo->setFocus();
        const QString before = m_memo->text();
        QTest::keyClick(m_memo, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Button3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), m_memo);
        QCOMPARE(m_memo->text(), before);
    }

    void undoTakesBackTypingButNeverTheCompare()
    {
        m_memo->setFocus();
        QTest::keyClicks(m_memo, QStringLiteral("typed"));
        click(control<QPushButton>(*m_window, "Button3"));
        m_memo->setFocus();
        QTest::keyClick(m_memo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_memo->text(), QStringLiteral("a.txt\nb.txt\nc.txt\n"));
        m_memo->setCursorPosition(3, 0);
        QTest::keyClicks(m_memo, QStringLiteral("mine"));
        QCOMPARE(m_memo->text(), QStringLiteral("a.txt\nb.txt\nc.txt\nmine"));
        QTest::keyClick(m_memo, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_memo->text(), QStringLiteral("a.txt\nb.txt\nc.txt\n"));
        QVERIFY(!m_memo->isUndoAvailable());
    }

    void theFillAndLaterEditsAreAnnounced()
    {
        QSignalSpy changed(m_memo, &ResultBox::textChanged);
        click(control<QPushButton>(*m_window, "Button3"));
        QVERIFY(changed.count() >= 1);
        // After a fill, the box tells of the user's own edits again.
        changed.clear();
        m_memo->setFocus();
        QTest::keyClicks(m_memo, QStringLiteral("x"));
        QCOMPARE(changed.count(), 1);
    }

    void inputMethodTextLandsInTheBox()
    {
        m_memo->setFocus();
        m_memo->setCursorPosition(1, 0);
        QInputMethodEvent composing(QStringLiteral("にほんご"), {});
        QApplication::sendEvent(QApplication::focusWidget(), &composing);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("日本語"));
        QApplication::sendEvent(QApplication::focusWidget(), &commit);
        QCOMPARE(m_memo->text(), QStringLiteral("両方にあるファイル\n日本語"));
    }

    void selectionTakesThePalettesColours()
    {
        click(control<QPushButton>(*m_window, "Button3"));
        m_memo->setFocus();
        m_memo->selectAll();
        QImage image(m_memo->viewport()->size(), QImage::Format_RGB32);
        m_memo->viewport()->render(&image);
        const QPalette palette = m_memo->palette();
        const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
        const QColor base = palette.color(QPalette::Active, QPalette::Base);
        QVERIFY(highlight != base);
        // Behind the first name, in the selection's colours; past the end of the text, none.
        const auto count = [&](const QColor& colour, QRect area) {
            int pixels = 0;
            for (int x = area.left(); x <= area.right(); ++x) {
                for (int y = area.top(); y <= area.bottom(); ++y) {
                    pixels += QColor(image.pixel(x, y)) == colour ? 1 : 0;
                }
            }
            return pixels;
        };
        const QRect firstName(4, 0, 30, 12);
        QVERIFY(count(highlight, firstName) > firstName.width() * firstName.height() / 2);
        int lighter = 0;
        for (int x = firstName.left(); x <= firstName.right(); ++x) {
            for (int y = firstName.top(); y <= firstName.bottom(); ++y) {
                lighter += qGray(image.pixel(x, y)) > qGray(highlight.rgb()) + 60 ? 1 : 0;
            }
        }
        // The names drawn in the highlighted text's colour, lighter than the highlight here.
        QVERIFY(qGray(palette.color(QPalette::Active, QPalette::HighlightedText).rgb()) >
                qGray(highlight.rgb()));
        QVERIFY(lighter > 0);
        QCOMPARE(QColor(image.pixel(image.width() - 2, image.height() - 2)), base);
    }

    void theScrollBarReachesTheLongestLine()
    {
        const std::string longest(200, 'W');
        m_work->createFile(longest);
        m_window = openWindow(m_work->path());
        m_memo = control<ResultBox>(*m_window, "Memo1");
        click(control<QPushButton>(*m_window, "Button3"));
        const long width = m_memo->SendScintilla(QsciScintillaBase::SCI_TEXTWIDTH, 32UL, longest.c_str());
        const long scrollWidth = m_memo->SendScintilla(QsciScintillaBase::SCI_GETSCROLLWIDTH);
        QVERIFY2(scrollWidth >= width && scrollWidth < width + 20,
                 qPrintable(QStringLiteral("%1 for %2").arg(scrollWidth).arg(width)));
        QVERIFY(m_memo->horizontalScrollBar()->maximum() > 0);
        QVERIFY(m_memo->horizontalScrollBar()->isVisible());
        QVERIFY(m_memo->verticalScrollBar()->isVisible());
    }

    void theMenuIsThePathFieldsRunByTheCommandList()
    {
        click(control<QPushButton>(*m_window, "Button3"));
        auto* edit = control<QLineEdit>(*m_window, "Edit1");
        edit->setText(QStringLiteral("abc"));
        edit->setFocus();
        const QStringList fieldMenu = openContextMenu(edit, {5, 5});
        m_memo->setFocus();
        const QStringList boxMenu = openContextMenu(m_memo->viewport(), {5, 5});
        QCOMPARE(boxMenu, fieldMenu);
        // In Japanese, as the window is: "元に戻す" first.
        QVERIFY(!boxMenu.isEmpty());
        QVERIFY2(boxMenu.front().startsWith(QStringLiteral("元に戻す")), qPrintable(boxMenu.front()));

        // Select all runs the window's command, and then copy copies; also
        // after a key found the command unavailable in another control.
        auto* command = m_window->findChild<QAction*>(QStringLiteral("EditSelectAll1"));
        auto* empty = control<ResultBox>(*m_window, "Memo3");
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        empty->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), empty);
        QTest::keyClick(empty, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!command->isEnabled());
        QSignalSpy selectAll(command, &QAction::triggered);
        openContextMenu(m_memo->viewport(), {5, 5}, SelectAllEntry);
        QCOMPARE(selectAll.size(), 1);
        const QStringList withSelection = openContextMenu(m_memo->viewport(), {5, 5}, CopyEntry);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("a.txt\nb.txt\nc.txt\n"));
        QList<bool> enabled;
        for (const QString& entry : withSelection) {
            if (entry != u'-') {
                enabled << !entry.endsWith(Disabled);
            }
        }
        // Nothing to undo or redo; cut, copy, paste, delete and select all.
        QCOMPARE(enabled, QList<bool>({false, false, true, true, true, true, true}));
    }

private:
    std::unique_ptr<TempFolder> m_work;
    std::unique_ptr<TForm1> m_window;
    ResultBox* m_memo = nullptr;
};

TOMBRELI_GUI_TEST_CLASS(ResultBoxTest);

} // namespace

} // namespace tombreli::test

#include "ResultBoxTest.moc"
