#include "AsciiNameOrder.h"
#include "FolderList.h"
#include "GuiTest.h"
#include "MemoryFileSystem.h"
#include "NameText.h"
#include "ResultBox.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

namespace tombreli::test {
namespace {

// A working folder with a file and a sub-folder, and another folder elsewhere.
struct Folders
{
    TempFolder work;
    TempFolder other;
    std::string sub;

    Folders()
    {
        work.createFile("w1");
        sub = work.createDir("S");
        work.createFile("S/s1");
        other.createFile("o1");
    }
};

class WindowHandlersTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folders = std::make_unique<Folders>();
        m_window = openWindow(m_folders->work.path());
        m_edit1 = control<QLineEdit>(*m_window, "Edit1");
        m_edit2 = control<QLineEdit>(*m_window, "Edit2");
        m_list1 = control<QListView>(*m_window, "FileListBox1");
        m_list2 = control<QListView>(*m_window, "FileListBox2");
        m_fetch1 = control<QPushButton>(*m_window, "Button1");
        m_fetch2 = control<QPushButton>(*m_window, "Button2");
        m_compare = control<QPushButton>(*m_window, "Button3");
        m_memo1 = control<ResultBox>(*m_window, "Memo1");
        m_memo2 = control<ResultBox>(*m_window, "Memo2");
        m_memo3 = control<ResultBox>(*m_window, "Memo3");
    }
    void cleanup()
    {
        m_window.reset();
        m_folders.reset();
    }

    void startsWithTheProgramsFolderAndTheWorkingFolder()
    {
        const QString programFolder = QCoreApplication::applicationDirPath() + u'/';
        QCOMPARE(m_edit1->text(), programFolder);
        QCOMPARE(m_edit2->text(), programFolder);
        QCOMPARE(shownNames(m_list1), QStringList{QStringLiteral("w1")});
        QCOMPARE(shownNames(m_list2), QStringList{QStringLiteral("w1")});
    }

    void fetchShowsTheOrdinaryFilesSorted()
    {
        TempFolder folder;
        for (const char* name : {"b.txt", "A.txt", "c.TXT", "10", "9", ".hidden"}) {
            folder.createFile(name);
        }
        folder.createDir("sub");
        folder.createLink("to-a", folder.path("A.txt"));
        m_edit1->setText(pathText(folder.path()));
        click(m_fetch1);
        QCOMPARE(shownNames(m_list1),
                 QStringList({QStringLiteral("10"), QStringLiteral("9"), QStringLiteral("A.txt"),
                              QStringLiteral("b.txt"), QStringLiteral("c.TXT"), QStringLiteral("to-a")}));
        QCOMPARE(shownNames(m_list2), QStringList{QStringLiteral("w1")});
    }

    void fetchTakesTheFolderPartOfThePath_data()
    {
        // The folders are made for each row; `from` names the one the text begins with.
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        const QString work = QStringLiteral("work");
        const QString other = QStringLiteral("other");
        const QStringList inWork = {QStringLiteral("w1")};
        const QStringList inSub = {QStringLiteral("s1")};
        const QStringList inOther = {QStringLiteral("o1")};
        QTest::newRow("folder with separator") << other << QStringLiteral("/") << inOther;
        QTest::newRow("file name dropped") << other << QStringLiteral("/readme.txt") << inOther;
        QTest::newRow("pattern dropped") << other << QStringLiteral("/*.txt") << inOther;
        QTest::newRow("last name is not the folder") << work << QStringLiteral("/S") << inWork;
        QTest::newRow("sub-folder") << work << QStringLiteral("/S/") << inSub;
        QTest::newRow("relative to the list's folder") << QString() << QStringLiteral("S/") << inSub;
        QTest::newRow("bare name") << QString() << QStringLiteral("S") << inWork;
        QTest::newRow("empty") << QString() << QString() << inWork;
        QTest::newRow("missing folder") << other << QStringLiteral("/missing/") << inWork;
    }
    void fetchTakesTheFolderPartOfThePath()
    {
        QFETCH(QString, from);
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        const std::string& base =
            from == QStringLiteral("work") ? m_folders->work.path() : m_folders->other.path();
        m_edit1->setText(from.isEmpty() ? text : pathText(base, text.toUtf8().constData()));
        click(m_fetch1);
        QCOMPARE(shownNames(m_list1), shown);
    }

    void fetchOfTheFolderShownRereadsNothing()
    {
        m_edit1->setText(pathText(m_folders->other.path()));
        click(m_fetch1);
        m_list1->setCurrentIndex(m_list1->model()->index(0, 0));
        m_folders->other.createFile("o2");
        click(m_fetch1);
        QCOMPARE(shownNames(m_list1), QStringList{QStringLiteral("o1")});
        QCOMPARE(m_list1->selectionModel()->selectedRows().size(), 1);
        // Named otherwise, the same folder is read again.
        m_edit1->setText(pathText(m_folders->other.path(), "/./"));
        click(m_fetch1);
        QCOMPARE(shownNames(m_list1), QStringList({QStringLiteral("o1"), QStringLiteral("o2")}));
        QVERIFY(m_list1->selectionModel()->selectedRows().isEmpty());
    }

    void fetchOfAMissingFolderRereadsTheOneShown()
    {
        m_edit2->setText(pathText(m_folders->other.path()));
        click(m_fetch2);
        m_folders->other.createFile("o2");
        m_edit2->setText(pathText(m_folders->other.path(), "/missing/"));
        click(m_fetch2);
        QCOMPARE(shownNames(m_list2), QStringList({QStringLiteral("o1"), QStringLiteral("o2")}));
    }

    void namesThatAreNotPlainTextAreShownEscaped()
    {
        TempFolder folder;
        folder.createFile("bad\x89");
        folder.createFile("line\nbreak");
        folder.createFile("back\\slash");
        m_edit1->setText(pathText(folder.path()));
        click(m_fetch1);
        QCOMPARE(shownNames(m_list1),
                 QStringList({QStringLiteral("back\\\\slash"), QStringLiteral("bad\\x89"),
                              QStringLiteral("line\\nbreak")}));
    }

    void aPathShownEscapedCanBeFetched()
    {
        TempFolder folder;
        const std::string odd = folder.createDir("dir\x89\\n");
        folder.createFile("dir\x89\\n/inside");
        m_edit1->setText(pathText(odd));
        QVERIFY(m_edit1->text().endsWith(QStringLiteral("dir\\x89\\\\n/")));
        click(m_fetch1);
        QCOMPARE(shownNames(m_list1), QStringList{QStringLiteral("inside")});
        QCOMPARE(folderListOf(m_list1).Directory(), odd);
    }

    void compareRightAfterStartFindsEveryNameInBoth()
    {
        click(m_compare);
        QCOMPARE(m_memo1->text(), QStringLiteral("w1\n"));
        QCOMPARE(m_memo2->text(), QString());
        QCOMPARE(m_memo3->text(), QString());
    }

    void compareSortsTheNamesIntoTheThreeBoxes()
    {
        TempFolder first;
        TempFolder second;
        for (const char* name : {"a.txt", "B.txt", "c.txt", "same\x89", "caf\xC3\xA9"}) {
            first.createFile(name);
        }
        for (const char* name : {"b.txt", "c.txt", "d.txt", "same\x89", "caf\xE9"}) {
            second.createFile(name);
        }
        m_edit1->setText(pathText(first.path()));
        m_edit2->setText(pathText(second.path()));
        click(m_fetch1);
        click(m_fetch2);
        click(m_compare);
        QCOMPARE(m_memo1->text(), QStringLiteral("c.txt\nsame\\x89\n"));
        QCOMPARE(m_memo2->text(), QStringLiteral("a.txt\nB.txt\ncafé\n"));
        QCOMPARE(m_memo3->text(), QStringLiteral("b.txt\ncaf\\xE9\nd.txt\n"));
    }

    void compareOfEmptyListsEmptiesTheBoxes()
    {
        TempFolder empty;
        empty.createDir("only-a-folder");
        empty.createFile(".only-hidden");
        m_edit1->setText(pathText(empty.path()));
        m_edit2->setText(pathText(empty.path()));
        click(m_fetch1);
        click(m_fetch2);
        click(m_compare);
        for (const ResultBox* memo : {m_memo1, m_memo2, m_memo3}) {
            QCOMPARE(memo->text(), QString());
        }
    }

    void compareTwiceGivesTheSameText()
    {
        m_edit2->setText(pathText(m_folders->other.path()));
        click(m_fetch2);
        click(m_compare);
        const QStringList first = {m_memo1->text(), m_memo2->text(), m_memo3->text()};
        QCOMPARE(first, QStringList({QString(), QStringLiteral("w1\n"), QStringLiteral("o1\n")}));
        click(m_compare);
        QCOMPARE(QStringList({m_memo1->text(), m_memo2->text(), m_memo3->text()}), first);
    }

    void compareTakesTheListsAsShownNotThePathFields()
    {
        m_edit1->setText(pathText(m_folders->other.path()));
        m_folders->work.createFile("w2");
        click(m_compare);
        QCOMPARE(m_memo1->text(), QStringLiteral("w1\n"));
        QCOMPARE(m_memo2->text(), QString());
    }

    void compareReplacesWhatWasTypedAndLeavesNothingToUndo()
    {
        m_memo2->setFocus();
        QTest::keyClicks(m_memo2, QStringLiteral("typed"));
        QVERIFY(m_memo2->isUndoAvailable());
        click(m_compare);
        QCOMPARE(m_memo2->text(), QString());
        for (const ResultBox* memo : {m_memo1, m_memo2, m_memo3}) {
            QVERIFY(!memo->isUndoAvailable());
        }
    }

    void hoveringWhereNoRowIsShowsTheListsFolder()
    {
        const auto tipAt = [](QListView* list, QPoint pos) {
            QHelpEvent help(QEvent::ToolTip, pos, list->viewport()->mapToGlobal(pos));
            QApplication::sendEvent(list->viewport(), &help);
            return help.isAccepted() ? QToolTip::text() : QString();
        };
        const QPoint belowTheRows(10, m_list1->viewport()->height() - 5);
        QCOMPARE(tipAt(m_list1, belowTheRows), plainToolTip({pathText(m_folders->work.path(), "")}));
        // A fetch that cannot move the list stays silent; the tip still tells where the list is.
        m_edit1->setText(pathText(m_folders->work.path(), "/missing/"));
        click(m_fetch1);
        QCOMPARE(tipAt(m_list1, belowTheRows), plainToolTip({pathText(m_folders->work.path(), "")}));
        // Over a row, the row's own tip: none for a plain name.
        QCOMPARE(tipAt(m_list1, m_list1->visualRect(m_list1->model()->index(0, 0)).center()), QString());
    }

    void theWindowWorksOverTheFileSystemItIsGiven()
    {
        MemoryFileSystem files;
        files.addFile("C:\\Tools\\prog.exe");
        files.addFile("C:\\work\\w1.txt");
        files.addFile("D:\\data\\d1.txt");
        files.addFile("D:\\data\\w1.txt");
        files.setWorkingFolder("C:\\work");
        files.setProgramPath("C:\\Tools\\prog.exe");
        const AsciiNameOrder order;
        const WindowsPathSyntax syntax;
        TForm1 window(files, order, syntax);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* edit2 = control<QLineEdit>(window, "Edit2");
        QCOMPARE(pathBytes(edit2->text()), std::string("C:\\Tools\\"));
        QCOMPARE(shownNames(control<QListView>(window, "FileListBox1")),
                 QStringList{QStringLiteral("w1.txt")});
        edit2->setText(nameText("D:\\data\\"));
        click(control<QPushButton>(window, "Button2"));
        auto* list2 = control<QListView>(window, "FileListBox2");
        QCOMPARE(shownNames(list2), QStringList({QStringLiteral("d1.txt"), QStringLiteral("w1.txt")}));
        QCOMPARE(folderListOf(list2).Directory(), std::string("D:\\data"));
        click(control<QPushButton>(window, "Button3"));
        QCOMPARE(control<ResultBox>(window, "Memo1")->text(), QStringLiteral("w1.txt\n"));
        QCOMPARE(control<ResultBox>(window, "Memo3")->text(), QStringLiteral("d1.txt\n"));
    }

private:
    std::unique_ptr<Folders> m_folders;
    std::unique_ptr<TForm1> m_window;
    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QListView* m_list1 = nullptr;
    QListView* m_list2 = nullptr;
    QPushButton* m_fetch1 = nullptr;
    QPushButton* m_fetch2 = nullptr;
    QPushButton* m_compare = nullptr;
    ResultBox* m_memo1 = nullptr;
    ResultBox* m_memo2 = nullptr;
    ResultBox* m_memo3 = nullptr;
};

TOMBRELI_GUI_TEST_CLASS(WindowHandlersTest);

} // namespace

} // namespace tombreli::test

#include "WindowHandlersTest.moc"
