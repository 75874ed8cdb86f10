#include "GroupFrameStyle.h"
#include "GuiTest.h"
#include "ResultBox.h"
#include "ScreenFit.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionGroupBox>
#include <QTest>

namespace tombreli::test {
namespace {

// The value after "KEY: " in a child's report; empty if it has none.
QString reported(const ChildRun& run, const QString& key)
{
    for (const QString& line : run.lines) {
        if (line.startsWith(key + QStringLiteral(": "))) {
            return line.mid(key.size() + 2);
        }
    }
    return {};
}

class WindowLayoutTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folder = std::make_unique<TempFolder>();
        m_folder->createFile("HHH.txt");
        m_window = openWindow(m_folder->path());
    }
    void cleanup()
    {
        m_window.reset();
        m_folder.reset();
    }

    void windowIsFixedAtItsDesignedPlace()
    {
        QCOMPARE(m_window->objectName(), QStringLiteral("Form1"));
        QCOMPARE(m_window->windowTitle(), QStringLiteral("TOMBRELI"));
        QCOMPARE(QApplication::applicationName(), QStringLiteral("TOMBRELI"));
        QCOMPARE(m_window->pos(), QPoint(435, 127));
        QCOMPARE(m_window->size(), QSize(559, 459));
        QCOMPARE(m_window->minimumSize(), QSize(559, 459));
        QCOMPARE(m_window->maximumSize(), QSize(559, 459));
        m_window->resize(800, 600);
        QCOMPARE(m_window->size(), QSize(559, 459));
        m_window->showMaximized();
        QCOMPARE(m_window->size(), QSize(559, 459));
    }

    void windowHasTheButtonFaceAndOneFont()
    {
        QVERIFY(m_window->autoFillBackground());
        QCOMPARE(m_window->palette().color(QPalette::Window), m_window->palette().color(QPalette::Button));
        const QFont font = m_window->font();
        QCOMPARE(font.pixelSize(), 12);
        const QString family = QFontInfo(font).family();
        QVERIFY2(QStringList({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                              QStringLiteral("IPAPGothic")})
                     .contains(family),
                 qPrintable(family));
        for (const QWidget* child : m_window->findChildren<QWidget*>()) {
            QCOMPARE(child->font(), font);
        }
    }

    void controlsSitWhereTheTableSays_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        const QString window = QStringLiteral("Form1");
        const auto row = [](const char* name, const char* kind, const QString& parent, QRect geometry,
                            const QString& caption) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind) << parent
                                << geometry << caption;
        };
        const QString box1 = QStringLiteral("GroupBox1");
        const QString box2 = QStringLiteral("GroupBox2");
        const QString box3 = QStringLiteral("GroupBox3");
        const QString fetch = QStringLiteral("取得");
        row("GroupBox1", "QGroupBox", window, {0, 0, 273, 301}, QStringLiteral("フォルダ１"));
        row("FileListBox1", "QListView", box1, {2, 34, 267, 263}, {});
        row("Button1", "QPushButton", box1, {232, 12, 33, 17}, fetch);
        row("Edit1", "QLineEdit", box1, {4, 12, 225, 20}, {});
        row("GroupBox2", "QGroupBox", window, {272, 0, 285, 301}, QStringLiteral("フォルダ２"));
        row("FileListBox2", "QListView", box2, {2, 36, 279, 262}, {});
        row("Button2", "QPushButton", box2, {248, 12, 33, 17}, fetch);
        row("Edit2", "QLineEdit", box2, {4, 12, 241, 20}, {});
        row("GroupBox3", "QGroupBox", window, {0, 302, 559, 157}, QStringLiteral("結果"));
        row("Memo1", "tombreli::ResultBox", box3, {176, 40, 198, 115},
            QStringLiteral("両方にあるファイル\n"));
        row("Button3", "QPushButton", box3, {4, 12, 549, 25}, QStringLiteral("計算"));
        row("Memo3", "tombreli::ResultBox", box3, {378, 38, 179, 115},
            QStringLiteral("フォルダ2だけにあるファイル\n"));
        row("Memo2", "tombreli::ResultBox", box3, {2, 40, 171, 113},
            QStringLiteral("フォルダ1だけにあるファイル\n"));
    }
    void controlsSitWhereTheTableSays()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        const auto* widget = m_window->findChild<QWidget*>(name);
        QVERIFY(widget != nullptr);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->isVisible());
        if (const auto* box = qobject_cast<const QGroupBox*>(widget)) {
            QCOMPARE(box->title(), caption);
        } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            QCOMPARE(button->text(), caption);
        } else if (const auto* memo = qobject_cast<const ResultBox*>(widget)) {
            QCOMPARE(memo->text(), caption);
        }
    }

    void tabVisitsTheControlsInOrderAndComesBack()
    {
        const QStringList order = {
            QStringLiteral("FileListBox1"), QStringLiteral("Button1"),      QStringLiteral("Edit1"),
            QStringLiteral("FileListBox2"), QStringLiteral("Button2"),      QStringLiteral("Edit2"),
            QStringLiteral("Memo1"),        QStringLiteral("Button3"),      QStringLiteral("Memo3"),
            QStringLiteral("Memo2"),        QStringLiteral("FileListBox1"),
        };
        QStringList visited = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, order);
    }

    void resultBoxesAreEditableWithBothScrollBars()
    {
        for (const char* name : {"Memo1", "Memo2", "Memo3"}) {
            const auto* memo = control<ResultBox>(*m_window, name);
            QVERIFY(!memo->isReadOnly());
            QVERIFY(!memo->isUndoAvailable());
            QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QVERIFY(memo->horizontalScrollBar()->isVisible());
            QVERIFY(memo->verticalScrollBar()->isVisible());
        }
        for (const char* name : {"Edit1", "Edit2"}) {
            QVERIFY(!control<QLineEdit>(*m_window, name)->isReadOnly());
        }
    }

    void folderListsShowPlainRowsTwelvePixelsHigh()
    {
        for (const char* name : {"FileListBox1", "FileListBox2"}) {
            const auto* list = control<QListView>(*m_window, name);
            QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
            QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
            QVERIFY(list->uniformItemSizes());
            const QModelIndex first = list->model()->index(0, 0);
            QCOMPARE(first.data().toString(), QStringLiteral("HHH.txt"));
            QVERIFY(!first.data(Qt::DecorationRole).isValid());
            QCOMPARE(list->visualRect(first).height(), 12);
            QCOMPARE(list->visualRect(list->model()->index(1, 0)), QRect());
        }
    }

    void namesAreDrawnTwoPixelsIn()
    {
        auto* list = control<QListView>(*m_window, "FileListBox1");
        const QRect row = list->visualRect(list->model()->index(0, 0));
        QImage image(list->viewport()->size(), QImage::Format_RGB32);
        list->viewport()->render(&image);
        // The H's stem is the first ink from the left: no icon, no wider margin.
        int firstInk = -1;
        for (int x = row.left(); x <= row.right() && firstInk < 0; ++x) {
            for (int y = row.top(); y <= row.bottom(); ++y) {
                if (qGray(image.pixel(x, y)) < 128) {
                    firstInk = x - row.left();
                    break;
                }
            }
        }
        QVERIFY2(firstInk >= 2 && firstInk <= 3, qPrintable(QString::number(firstInk)));
    }

    void aWindowThatDoesNotFitItsScreenMovesJustEnough_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("placed");
        // A frame of 559 x 479 at 435, 127.
        QTest::newRow("fits") << QRect(0, 0, 1280, 1000) << QPoint(435, 127);
        QTest::newRow("too far right") << QRect(0, 0, 800, 700) << QPoint(241, 127);
        QTest::newRow("too far down") << QRect(0, 0, 1280, 500) << QPoint(435, 21);
        QTest::newRow("panel on the left") << QRect(500, 0, 1000, 1000) << QPoint(500, 127);
        QTest::newRow("panel at the top") << QRect(0, 200, 1280, 800) << QPoint(435, 200);
        QTest::newRow("larger than the screen") << QRect(0, 30, 512, 384) << QPoint(0, 30);
    }
    void aWindowThatDoesNotFitItsScreenMovesJustEnough()
    {
        QFETCH(QRect, available);
        QFETCH(QPoint, placed);
        QCOMPARE(fitOnScreen(QRect(435, 127, 559, 479), available), placed);
    }

    void theWindowOpensWithinItsScreen_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("scale");
        QTest::newRow("desktop") << 1280 << 1024 << 1;
        QTest::newRow("800x600") << 800 << 600 << 1;
        QTest::newRow("scale factor 2") << 1280 << 1024 << 2;
    }
    void theWindowOpensWithinItsScreen()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, scale);
        TempFolder config;
        const std::string screen = config.createFile(
            "screen.json",
            QStringLiteral("{\"screens\": [{\"name\": \"s\", \"x\": 0, \"y\": 0, \"width\": %1, "
                           "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96}]}")
                .arg(width)
                .arg(height)
                .toStdString());
        const ChildRun run = runProgramChild(
            100, {QStringLiteral("QT_QPA_PLATFORM=offscreen:configfile=") + QString::fromStdString(screen),
                  QStringLiteral("QT_SCALE_FACTOR=%1").arg(scale)});
        QCOMPARE(run.exitCode, 0);
        // The designed place where the window and a title bar fit, else as near as they do.
        const int titleBar = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const QPoint position(std::min(435, width / scale - 559),
                              std::min(127, height / scale - 459 - titleBar));
        QCOMPARE(reported(run, QStringLiteral("position")),
                 QStringLiteral("%1,%2").arg(position.x()).arg(position.y()));
    }

    void groupFramesSetTheirCaptionIntoTheTopLine()
    {
        for (const char* name : {"GroupBox1", "GroupBox2", "GroupBox3"}) {
            auto* box = control<QGroupBox>(*m_window, name);
            QVERIFY(qobject_cast<const GroupFrameStyle*>(box->style()) != nullptr);
            QStyleOptionGroupBox option;
            option.initFrom(box);
            option.text = box->title();
            option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
            const QRect frame =
                box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box);
            const QRect caption =
                box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, box);
            // The top line runs through the caption's middle...
            QVERIFY(qAbs(frame.top() - caption.center().y()) <= 1);
            QCOMPARE(frame.left(), 0);
            QCOMPARE(frame.size(), QSize(box->width(), box->height() - frame.top()));
            // ...and above everything in the pane.
            for (const QWidget* child : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                QVERIFY2(child->y() > frame.top() + 1, qPrintable(child->objectName()));
            }
            // Drawn: the line breaks off for the caption and goes on either side of it.
            QImage image(box->size(), QImage::Format_RGB32);
            box->render(&image);
            const QRgb background = box->palette().color(QPalette::Window).rgb();
            QCOMPARE(image.pixel(caption.left() - 1, frame.top()), background);
            QVERIFY(image.pixel(caption.left() - 5, frame.top()) != background);
            QVERIFY(image.pixel(caption.right() + 5, frame.top()) != background);
            QCOMPARE(image.pixel(caption.left() - 5, frame.top() - 2), background);
        }
    }

    void scalesAtLoadOnAScreenOfAnotherDensity()
    {
        // 120 pixels an inch, and Qt told not to scale by itself: the window's own scaling must.
        const ChildRun run = runProgramChild(100, {QStringLiteral("QT_FONT_DPI=120"),
                                                   QStringLiteral("QT_SCALE_FACTOR_ROUNDING_POLICY=Round")});
        QCOMPARE(run.exitCode, 0);
        const auto value = [&](const QString& key) {
            return reported(run, key);
        };
        const QStringList size = value(QStringLiteral("window")).split(u'x');
        const QStringList box1 = value(QStringLiteral("GroupBox1")).split(u',');
        const QStringList box3 = value(QStringLiteral("GroupBox3")).split(u',');
        QCOMPARE(size.size(), 2);
        QCOMPARE(box1.size(), 4);
        QCOMPARE(box3.size(), 4);
        const double factor = box1[2].toDouble() / 273;
        QVERIFY2(factor > 1.1, qPrintable(box1.join(u',')));
        // Every control grew by the same measure, and the window with them.
        QVERIFY(qAbs(box1[3].toDouble() - 301 * factor) <= 1);
        QVERIFY(qAbs(value(QStringLiteral("row height")).toDouble() - 12 * factor) <= 1);
        const int width = size[0].toInt();
        const int height = size[1].toInt();
        QVERIFY(qAbs(width - 559 * factor) <= 2);
        QVERIFY(qAbs(height - 459 * factor) <= 2);
        // The results stay docked to the bottom edge, at full width.
        QCOMPARE(box3[0].toInt(), 0);
        QCOMPARE(box3[2].toInt(), width);
        QCOMPARE(box3[1].toInt() + box3[3].toInt(), height);
    }

private:
    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<TForm1> m_window;
};

TOMBRELI_GUI_TEST_CLASS(WindowLayoutTest);

} // namespace

} // namespace tombreli::test

#include "WindowLayoutTest.moc"
