#include "FolderList.h"
#include "GuiTest.h"
#include "ResultBox.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <string>

namespace tombreli::test {
namespace {

class ErrorReportTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_work = std::make_unique<TempFolder>();
        m_work->createFile("w1");
        m_window = openWindow(m_work->path());
    }
    void cleanup()
    {
        m_window.reset();
        m_work.reset();
    }

    void aFullListIsReportedAndTheProgramGoesOn()
    {
        TempFolder big;
        for (int i = 0; i < 150; ++i) {
            big.createFile("f" + std::to_string(1000 + i));
        }
        auto* list1 = control<QListView>(*m_window, "FileListBox1");
        auto* edit1 = control<QLineEdit>(*m_window, "Edit1");
        auto* fetch1 = control<QPushButton>(*m_window, "Button1");
        folderListOf(list1).SetCapacity(120);
        edit1->setText(pathText(big.path()));
        // Pressed from the keyboard, so that the focus is known to be on the button.
        fetch1->setFocus();
        SeenBox box;
        answerNextBox(box, m_window.get());
        QTest::keyClick(fetch1, Qt::Key_Space);
        QCoreApplication::sendPostedEvents();

        QVERIFY(box.seen);
        QCOMPARE(box.title, QStringLiteral("TOMBRELI"));
        QCOMPARE(box.text, QStringLiteral("行を挿入できません."));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.modality, Qt::ApplicationModal);
        // The busy pointer of the long read was gone before the box came up.
        QVERIFY(!box.cursorWasBusy);
        QVERIFY(QApplication::overrideCursor() == nullptr);

        QTRY_COMPARE(QApplication::activeWindow(), m_window.get());
        QCOMPARE(QApplication::focusWidget(), fetch1);
        // What was read stays, and the window works as before.
        QCOMPARE(shownNames(list1).size(), 120);
        QCOMPARE(shownNames(list1).front(), QStringLiteral("f1000"));
        click(control<QPushButton>(*m_window, "Button3"));
        QCOMPARE(control<ResultBox>(*m_window, "Memo3")->text(), QStringLiteral("w1\n"));
        QCOMPARE(control<ResultBox>(*m_window, "Memo2")->text().count(u'\n'), 120);
    }

    void aLongReadEndsWithTheUsualPointer()
    {
        TempFolder big;
        for (int i = 0; i < 150; ++i) {
            big.createFile("f" + std::to_string(i));
        }
        control<QLineEdit>(*m_window, "Edit2")->setText(pathText(big.path()));
        click(control<QPushButton>(*m_window, "Button2"));
        QCOMPARE(shownNames(control<QListView>(*m_window, "FileListBox2")).size(), 150);
        QVERIFY(QApplication::overrideCursor() == nullptr);
    }

    void closingTheWindowEndsTheProgramWithZero()
    {
        const ChildRun run = runProgramChild(100);
        const QStringList& lines = run.lines;
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(lines.value(0), QStringLiteral("title: "));
        QVERIFY(lines.contains(QStringLiteral("window shown: yes")));
    }

    void anErrorAtTheFirstReadEndsTheProgram()
    {
        const ChildRun run = runProgramChild(2);
        const QStringList& lines = run.lines;
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(lines.value(0), QStringLiteral("title: アプリケーション エラー"));
        QCOMPARE(lines.value(1), QStringLiteral("icon: critical, buttons: OK, modal: application"));
        const QRegularExpression firstLine(
            QStringLiteral("^text: tombreli::ListInsertErrorがモジュール tombreli_gui_tests の [0-9A-F]{16} "
                           "で発生しました。$"));
        QVERIFY2(firstLine.match(lines.value(2)).hasMatch(), qPrintable(lines.value(2)));
        QCOMPARE(lines.value(3), QStringLiteral("行を挿入できません."));
        QCOMPARE(lines.value(4), QStringLiteral("window shown: no"));
    }

private:
    std::unique_ptr<TempFolder> m_work;
    std::unique_ptr<TForm1> m_window;
};

TOMBRELI_GUI_TEST_CLASS(ErrorReportTest);

} // namespace

} // namespace tombreli::test

#include "ErrorReportTest.moc"
