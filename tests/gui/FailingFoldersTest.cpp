// The window with folders that fail: nothing is reported but a full list,
// the lists re-read from where they stood, and nothing on disk is touched.

#include "FolderList.h"
#include "GuiTest.h"
#include "HostileNames.h"
#include "ResultBox.h"
#include "TempFolder.h"
#include "TreeSnapshot.h"
#include "Unit1.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>

namespace tombreli::test {
namespace {

// Runs `action`, answering with OK every message box it shows; what each showed, as "caption|text".
QStringList boxesShownBy(const std::function<void()>& action)
{
    QStringList seen;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible()) {
            seen << box->windowTitle() + u'|' + box->text();
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start();
    action();
    QCoreApplication::sendPostedEvents();
    return seen;
}

class FailingFoldersTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_work = std::make_unique<TempFolder>();
        m_work->createFile("w1");
        m_window = openWindow(m_work->path());
        m_edit1 = control<QLineEdit>(*m_window, "Edit1");
        m_list1 = control<QListView>(*m_window, "FileListBox1");
    }
    void cleanup()
    {
        m_window.reset();
        m_work.reset();
    }

    void aFolderGoneWhileShownIsLeftSilently()
    {
        TempFolder shown;
        shown.createFile("a");
        shown.createFile("b");
        QVERIFY(fetch1(pathText(shown.path())).isEmpty());
        std::filesystem::remove_all(shown.path());
        // Named as before: nothing happens, as for a folder that is still there.
        QVERIFY(fetch1(pathText(shown.path())).isEmpty());
        QCOMPARE(shownNames(m_list1), QStringList({QStringLiteral("a"), QStringLiteral("b")}));
        // Named otherwise: re-read from the folder it stood in, which is gone and was
        // the last folder entered, so there is nothing to show.
        QVERIFY(fetch1(pathText(shown.path(), "/./")).isEmpty());
        QCOMPARE(shownNames(m_list1), QStringList());
        // Once the other list has entered a folder, that is where the first one falls back to.
        control<QLineEdit>(*m_window, "Edit2")->setText(pathText(m_work->path(), "/./"));
        click(control<QPushButton>(*m_window, "Button2"));
        QVERIFY(fetch1(pathText(shown.path(), "/missing/")).isEmpty());
        QCOMPARE(shownNames(m_list1), QStringList{QStringLiteral("w1")});
    }

    void aFolderReplacedByAFileIsLeftSilently()
    {
        TempFolder parent;
        const std::string shown = parent.createDir("shown");
        parent.createFile("shown/a");
        QVERIFY(fetch1(pathText(shown)).isEmpty());
        std::filesystem::remove_all(shown);
        parent.createFile("shown", "a file now");
        QVERIFY(fetch1(pathText(shown, "/./")).isEmpty());
        QCOMPARE(shownNames(m_list1), QStringList());
        QVERIFY(fetch1(pathText(parent.path())).isEmpty());
        QCOMPARE(shownNames(m_list1), QStringList{QStringLiteral("shown")});
    }

    void textsThatNameNoFolderReReadTheListWhereItStood_data()
    {
        // "$" stands for the working folder, which holds a file w1, a folder sub and two links.
        QTest::addColumn<QString>("text");
        QTest::newRow("link loop") << QStringLiteral("$/loop/");
        QTest::newRow("dangling link") << QStringLiteral("$/dangling/");
        QTest::newRow("file as folder") << QStringLiteral("$/w1/");
        QTest::newRow("escaped NUL") << QStringLiteral("$/sub\\x00/");
        QTest::newRow("NUL") << QStringLiteral("$/sub") + QChar(0) + QStringLiteral("/");
        QTest::newRow("escape that is none") << QStringLiteral("$/sub\\x/");
        // The path field keeps what it can of it.
        QTest::newRow("megabyte") << QStringLiteral("$/") + QStringLiteral("deep/").repeated(200000);
    }
    void textsThatNameNoFolderReReadTheListWhereItStood()
    {
        QFETCH(QString, text);
        m_work->createDir("sub");
        m_work->createLink("loop", "loop");
        m_work->createLink("dangling", "nowhere");
        text.replace(QStringLiteral("$"), pathText(m_work->path(), ""));
        QVERIFY(fetch1(pathText(m_work->path(), "/./")).isEmpty());
        m_work->createFile("w2");
        QVERIFY(fetch1(text).isEmpty());
        QCOMPARE(folderListOf(m_list1).Directory(), m_work->path());
        QCOMPARE(shownNames(m_list1), QStringList({QStringLiteral("dangling"), QStringLiteral("loop"),
                                                   QStringLiteral("w1"), QStringLiteral("w2")}));
    }

    void aFullListIsReportedOnceAndTheWindowGoesOn()
    {
        TempFolder big;
        for (const char* name : {"a", "b", "c", "d", "e", "f", "g", "h"}) {
            big.createFile(name);
        }
        folderListOf(m_list1).SetCapacity(5);
        QCOMPARE(fetch1(pathText(big.path())), QStringList{QStringLiteral("TOMBRELI|行を挿入できません.")});
        QCOMPARE(shownNames(m_list1).size(), 5);
        // The folder is the one shown now: pressing again re-reads nothing and reports nothing.
        QVERIFY(fetch1(pathText(big.path())).isEmpty());
        QCOMPARE(shownNames(m_list1).size(), 5);
        // Another folder that fits is read as ever.
        QVERIFY(fetch1(pathText(m_work->path(), "/./")).isEmpty());
        QCOMPARE(shownNames(m_list1), QStringList{QStringLiteral("w1")});
        // And a second overflow is reported again.
        QCOMPARE(fetch1(pathText(big.path(), "/./")),
                 QStringList{QStringLiteral("TOMBRELI|行を挿入できません.")});
    }

    void theWindowWritesNothingInTheFoldersItShows()
    {
        m_window.reset();
        HostileFolders folders;
        const std::string& root = folders.root.path();
        folders.root.createDir("one/sub");
        folders.root.createFile("one/sub/inner");
        folders.root.createFile("two/.hidden");
        folders.root.createLink("two/link", "../one");
        folders.root.createLink("loop", "loop");
        for (int i = 0; i < 120; ++i) {
            folders.root.createFile("one/sub/" + std::to_string(i));
        }
        const auto before = snapshotTree(root);

        m_window = openWindow(root);
        m_edit1 = control<QLineEdit>(*m_window, "Edit1");
        m_list1 = control<QListView>(*m_window, "FileListBox1");
        auto* edit2 = control<QLineEdit>(*m_window, "Edit2");
        const auto boxes = boxesShownBy([&] {
            for (const char* rest : {"/one/", "/one/sub/", "/loop/", "/missing/", "/one/./", "/two/link/"}) {
                m_edit1->setText(pathText(root, rest));
                click(control<QPushButton>(*m_window, "Button1"));
            }
            edit2->setText(pathText(root, "/two/"));
            click(control<QPushButton>(*m_window, "Button2"));
            click(control<QPushButton>(*m_window, "Button3"));
            // Copying out, and editing, in every text control.
            for (const char* name : {"Memo1", "Memo2", "Memo3", "Edit1", "Edit2"}) {
                auto* widget = m_window->findChild<QWidget*>(QString::fromLatin1(name));
                widget->setFocus();
                for (const Qt::Key key : {Qt::Key_A, Qt::Key_C, Qt::Key_X, Qt::Key_V, Qt::Key_Z}) {
                    QTest::keyClick(widget, key, Qt::ControlModifier);
                }
                QTest::keyClicks(widget, QStringLiteral("typed"));
                QTest::keyClick(widget, Qt::Key_Delete);
            }
            // Hovering over the rows and lines.
            for (QWidget* viewport :
                 {m_list1->viewport(), control<ResultBox>(*m_window, "Memo2")->viewport()}) {
                QHelpEvent help(QEvent::ToolTip, QPoint(20, 5), viewport->mapToGlobal(QPoint(20, 5)));
                QApplication::sendEvent(viewport, &help);
            }
            // An overflowing read, reported.
            folderListOf(m_list1).SetCapacity(50);
            m_edit1->setText(pathText(root, "/one/sub/"));
            click(control<QPushButton>(*m_window, "Button1"));
            click(control<QPushButton>(*m_window, "Button3"));
        });
        QCOMPARE(boxes.size(), 1);
        m_window.reset();
        QVERIFY(snapshotTree(root) == before);
    }

private:
    // "取得" of the first pane with `text` in its path field; the boxes it showed.
    QStringList fetch1(const QString& text)
    {
        m_edit1->setText(text);
        return boxesShownBy([this] { click(control<QPushButton>(*m_window, "Button1")); });
    }

    std::unique_ptr<TempFolder> m_work;
    std::unique_ptr<TForm1> m_window;
    QLineEdit* m_edit1 = nullptr;
    QListView* m_list1 = nullptr;
};

TOMBRELI_GUI_TEST_CLASS(FailingFoldersTest);

} // namespace

} // namespace tombreli::test

#include "FailingFoldersTest.moc"
