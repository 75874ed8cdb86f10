// The window with names that are hard to show: every name lands in one box,
// byte for byte, no two names look the same on screen or when copied out,
// and look-alikes are spelled out in the tips of the rows and lines.

#include "HostileNames.h"

#include "DisplayName.h"
#include "FolderList.h"
#include "GuiTest.h"
#include "NameText.h"
#include "ResultBox.h"
#include "Unit1.h"

#include <QApplication>
#include <QClipboard>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <set>

namespace tombreli::test {
namespace {

// The names that the lines of a result box stand for.
NameList boxNames(const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    NameList names;
    for (const QString& line : lines) {
        names.push_back(pathBytes(line));
    }
    return names;
}

NameList sorted(NameList names)
{
    names.sort(std::less<>());
    return names;
}

// The text as a Japanese font draws it: the backslash as a yen sign.
QString asDrawn(QString text)
{
    return text.replace(u'\\', QChar(0xA5));
}

// Asks `viewport` for its tip at `pos`, as hovering there does; the tip shown, or empty if none.
QString tipAt(QWidget* viewport, QPoint pos)
{
    QHelpEvent help(QEvent::ToolTip, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &help);
    return help.isAccepted() ? QToolTip::text() : QString();
}

class HostileNamesTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_folders = std::make_unique<HostileFolders>();
        m_window = openWindow(m_folders->root.path());
        m_list1 = control<QListView>(*m_window, "FileListBox1");
        m_list2 = control<QListView>(*m_window, "FileListBox2");
        control<QLineEdit>(*m_window, "Edit1")->setText(pathText(m_folders->one));
        control<QLineEdit>(*m_window, "Edit2")->setText(pathText(m_folders->two));
        click(control<QPushButton>(*m_window, "Button1"));
        click(control<QPushButton>(*m_window, "Button2"));
        click(control<QPushButton>(*m_window, "Button3"));
    }
    void cleanup()
    {
        m_window.reset();
        m_folders.reset();
    }

    void everyRowNamesItsFileAndNoTwoLookTheSame()
    {
        for (const auto& [list, side] :
             {std::pair(m_list1, HostileName::OnlyInOne), std::pair(m_list2, HostileName::OnlyInTwo)}) {
            const QStringList rows = shownNames(list);
            const NameList& items = folderListOf(list).Items();
            QCOMPARE(static_cast<std::size_t>(rows.size()), items.size());
            QSet<QString> drawn;
            for (qsizetype row = 0; row < rows.size(); ++row) {
                QCOMPARE(pathBytes(rows[row]), items[static_cast<std::size_t>(row)]);
                QVERIFY2(!rows[row].contains(u'\n') && !rows[row].contains(u'\r'), qPrintable(rows[row]));
                drawn.insert(asDrawn(rows[row]));
            }
            QCOMPARE(drawn.size(), rows.size());
            NameList expected = m_folders->group(side);
            const NameList both = m_folders->group(HostileName::InBoth);
            for (const std::string_view name : both) {
                expected.push_back(name);
            }
            QCOMPARE(sorted(items), sorted(expected));
        }
    }

    void everyNameLandsInExactlyOneBoxInItsListsOrder()
    {
        const NameList& items1 = folderListOf(m_list1).Items();
        const NameList& items2 = folderListOf(m_list2).Items();
        const std::set<std::string, std::less<>> in1(items1.begin(), items1.end());
        const std::set<std::string, std::less<>> in2(items2.begin(), items2.end());
        NameList memo1;
        NameList memo2;
        NameList memo3;
        for (const std::string_view name : items1) {
            (in2.contains(name) ? memo1 : memo2).push_back(name);
        }
        for (const std::string_view name : items2) {
            if (!in1.contains(name)) {
                memo3.push_back(name);
            }
        }
        QCOMPARE(boxNames(control<ResultBox>(*m_window, "Memo1")->text()), memo1);
        QCOMPARE(boxNames(control<ResultBox>(*m_window, "Memo2")->text()), memo2);
        QCOMPARE(boxNames(control<ResultBox>(*m_window, "Memo3")->text()), memo3);
        QCOMPARE(sorted(memo1), m_folders->group(HostileName::InBoth));
        QCOMPARE(sorted(memo2), m_folders->group(HostileName::OnlyInOne));
        QCOMPARE(sorted(memo3), m_folders->group(HostileName::OnlyInTwo));
    }

    void whatIsCopiedOutReadsBackToTheNames()
    {
        const struct
        {
            const char* memo;
            HostileName::Where where;
        } boxes[] = {{"Memo1", HostileName::InBoth},
                     {"Memo2", HostileName::OnlyInOne},
                     {"Memo3", HostileName::OnlyInTwo}};
        for (const auto& box : boxes) {
            auto* memo = control<ResultBox>(*m_window, box.memo);
            QGuiApplication::clipboard()->clear();
            memo->setFocus();
            QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
            const QString copied = QGuiApplication::clipboard()->text();
            QCOMPARE(copied, memo->text());
            QCOMPARE(sorted(boxNames(copied)), m_folders->group(box.where));
        }
    }

    void lookAlikesAreSpelledOutInTheTipsOfTheirRows()
    {
        const QModelIndex composed = rowOf(m_list1, "caf\xC3\xA9");
        const QModelIndex decomposed = rowOf(m_list2, "cafe\xCC\x81");
        QVERIFY(composed.isValid() && decomposed.isValid());
        // They look the same...
        const QString shown1 = composed.data().toString();
        const QString shown2 = decomposed.data().toString();
        QVERIFY(shown1 != shown2);
        QCOMPARE(shown1.normalized(QString::NormalizationForm_C),
                 shown2.normalized(QString::NormalizationForm_C));
        // ...and their tips tell them apart: the form that is not NFC is spelled out.
        QCOMPARE(tipOfRow(m_list1, composed), QString());
        QCOMPARE(tipOfRow(m_list2, decomposed), plainToolTip({QStringLiteral("cafe\\u0301")}));
        // A final space is shown as an escape already; the spaces before it are counted in the tip.
        QCOMPARE(rowOf(m_list1, "trail ").data().toString(), QStringLiteral("trail\\x20"));
        QCOMPARE(tipOfRow(m_list1, rowOf(m_list1, "trail ")), QString());
        QCOMPARE(tipOfRow(m_list2, rowOf(m_list2, "trail  ")),
                 plainToolTip({QStringLiteral("trail\\x20\\x20")}));
        QCOMPARE(tipOfRow(m_list1, rowOf(m_list1, " lead")), plainToolTip({QStringLiteral("\\x20lead")}));
        // A name shown as it is spelled has no tip; one that looks like markup is not taken for it.
        QCOMPARE(tipOfRow(m_list1, rowOf(m_list1, "Readme.txt")), QString());
        const QString markup = tipOfRow(m_list1, rowOf(m_list1, "<b>bold \xC3\xA9"));
        QCOMPARE(markup, QString());
        const QString mixed = tipOfRow(m_list1, rowOf(m_list1, "<b>bold \xD0\xB0"));
        QCOMPARE(mixed, plainToolTip({QStringLiteral("<b>bold\\x20\\u0430")}));
        QVERIFY2(!mixed.contains(QStringLiteral("<b>")), qPrintable(mixed));
    }

    void aNameCutOffByItsRowIsShownWholeInTheTip()
    {
        const std::string longName(255, 'a');
        QCOMPARE(tipOfRow(m_list1, rowOf(m_list1, longName)),
                 plainToolTip({QString::fromStdString(longName)}));
        // Wider than the screen in one line: the tip wraps instead of running off it.
        const QWidget* tip = nullptr;
        for (const QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->inherits("QTipLabel") && widget->isVisible()) {
                tip = widget;
            }
        }
        QVERIFY(tip != nullptr);
        QVERIFY(QFontMetrics(tip->font()).horizontalAdvance(QString::fromStdString(longName)) >
                m_list1->screen()->geometry().width());
        QVERIFY2(m_list1->screen()->geometry().contains(tip->geometry()),
                 qPrintable(QStringLiteral("%1 wide").arg(tip->width())));
        std::string japanese;
        for (int i = 0; i < 85; ++i) {
            japanese += "\xE3\x81\x82";
        }
        // Plain kana cannot pass for anything else: the whole text, and no codes.
        QCOMPARE(tipOfRow(m_list2, rowOf(m_list2, japanese)), plainToolTip({nameText(japanese)}));
    }

    void lookAlikesAreSpelledOutInTheTipsOfTheResultLines()
    {
        for (const auto& [memoName, name, spelled] :
             {std::tuple("Memo2", "caf\xC3\xA9", ""), std::tuple("Memo3", "cafe\xCC\x81", "cafe\\u0301"),
              std::tuple("Memo2", "p\xD0\xB0ypal", "p\\u0430ypal"), std::tuple("Memo3", "paypal", "")}) {
            auto* memo = control<ResultBox>(*m_window, memoName);
            int line = 0;
            while (line < memo->lines() && pathBytes(memo->text(line).chopped(1)) != name) {
                ++line;
            }
            QVERIFY2(line < memo->lines(), name);
            memo->setCursorPosition(line, 0);
            memo->ensureLineVisible(line);
            const long start = memo->positionFromLineIndex(line, 0);
            const QPoint pos(
                static_cast<int>(memo->SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0UL, start)) +
                    2,
                static_cast<int>(memo->SendScintilla(QsciScintillaBase::SCI_POINTYFROMPOSITION, 0UL, start)) +
                    2);
            QCOMPARE(tipAt(memo->viewport(), pos), plainToolTip({QString::fromLatin1(spelled)}));
        }
    }

private:
    QModelIndex rowOf(const QListView* list, const std::string& name) const
    {
        const NameList& items = folderListOf(list).Items();
        const auto found = std::find(items.begin(), items.end(), name);
        return found == items.end() ? QModelIndex()
                                    : list->model()->index(static_cast<int>(found - items.begin()), 0);
    }

    QString tipOfRow(QListView* list, const QModelIndex& row) const
    {
        list->scrollTo(row);
        return tipAt(list->viewport(), list->visualRect(row).center());
    }

    std::unique_ptr<HostileFolders> m_folders;
    std::unique_ptr<TForm1> m_window;
    QListView* m_list1 = nullptr;
    QListView* m_list2 = nullptr;
};

TOMBRELI_GUI_TEST_CLASS(HostileNamesTest);

} // namespace

} // namespace tombreli::test

#include "HostileNamesTest.moc"
