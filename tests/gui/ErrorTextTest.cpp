#include "ErrorText.h"

#include "GuiTest.h"
#include "NameText.h"

#include <QTest>

#include <cstdint>
#include <string>
#include <vector>

namespace tombreli::test {
namespace {

using namespace std::string_literals;

class ErrorTextTest : public QObject
{
    Q_OBJECT

private slots:
    void errorBoxGainsAPeriodAfterCharactersAboveIt_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("japanese") << QByteArray("行を挿入できません")
                                  << QStringLiteral("行を挿入できません.");
        QTest::newRow("letter") << QByteArray("Out of memory") << QStringLiteral("Out of memory.");
        QTest::newRow("digit") << QByteArray("error 5") << QStringLiteral("error 5.");
        QTest::newRow("slash, just above the period") << QByteArray("a/") << QStringLiteral("a/.");
        QTest::newRow("question mark") << QByteArray("why?") << QStringLiteral("why?.");
        QTest::newRow("period") << QByteArray("Disk full.") << QStringLiteral("Disk full.");
        QTest::newRow("hyphen, just below the period") << QByteArray("a-") << QStringLiteral("a-");
        QTest::newRow("exclamation mark") << QByteArray("Stop!") << QStringLiteral("Stop!");
        QTest::newRow("closing parenthesis") << QByteArray("(x)") << QStringLiteral("(x)");
        QTest::newRow("space") << QByteArray("a ") << QStringLiteral("a ");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("full-width period") << QByteArray("終わり。") << QStringLiteral("終わり。.");
    }
    void errorBoxGainsAPeriodAfterCharactersAboveIt()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, shown);
        QCOMPARE(errorReportText(message.toStdString()), shown);
    }

    void lastChanceBoxNamesTheErrorAndEndsWithAPeriod_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("last");
        QTest::newRow("japanese") << QByteArray("行を挿入できません")
                                  << QStringLiteral("\n行を挿入できません.");
        QTest::newRow("exclamation mark") << QByteArray("Stop!") << QStringLiteral("\nStop!.");
        QTest::newRow("period") << QByteArray("Disk full.") << QStringLiteral("\nDisk full.");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("\n.");
    }
    void lastChanceBoxNamesTheErrorAndEndsWithAPeriod()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, last);
        const QString text =
            lastChanceText(QStringLiteral("tombreli::ListInsertError"), QStringLiteral("tombreli"),
                           reinterpret_cast<const void*>(0x4a2bu), message.toStdString());
        const QString address = QString::number(0x4a2b, 16)
                                    .toUpper()
                                    .rightJustified(static_cast<qsizetype>(2 * sizeof(void*)), u'0');
        QCOMPARE(text, QStringLiteral("tombreli::ListInsertErrorがモジュール tombreli の ") + address +
                           QStringLiteral(" で発生しました。") + last);
    }

    void resultBoxTextIsOneShownNameALine()
    {
        QCOMPARE(QString::fromStdString(nameLines({})), QString());
        QCOMPARE(QString::fromStdString(nameLines({"a.txt", "line\nbreak", "bad\x89"})),
                 QStringLiteral("a.txt\nline\\nbreak\nbad\\x89\n"));
        // A group read by position: only the names marked as wanted, in the list's order.
        const tombreli::NameList names{"a.txt", "b\tc", "d.txt", "e.txt"};
        const std::vector<std::uint8_t> marks{1, 0, 1, 0};
        QCOMPARE(QString::fromStdString(nameLines(names, marks, 1)), QStringLiteral("a.txt\nd.txt\n"));
        QCOMPARE(QString::fromStdString(nameLines(names, marks, 0)), QStringLiteral("b\\tc\ne.txt\n"));
        QCOMPARE(QString::fromStdString(nameLines(names, std::vector<std::uint8_t>(4, 0), 1)), QString());
    }

    void onlyANameThatCanPassForAnotherIsSpelledOut_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("tip");
        const auto row = [](const char* what, const char* name, const char* tip) {
            QTest::newRow(what) << QByteArray(name) << QString::fromLatin1(tip);
        };
        row("ascii", "Readme.txt", "");
        row("kana and kanji", "\xE5\x85\xB1\xE9\x80\x9A\xE3\x81\x82\xE3\x82\xA2.txt", "");
        row("composed accent", "caf\xC3\xA9", "");
        row("greek alone", "\xCE\xB1\xCE\xB2", "");
        row("decomposed accent", "cafe\xCC\x81", "cafe\\u0301");
        row("latin and cyrillic", "p\xD0\xB0ypal", "p\\u0430ypal");
        row("latin and greek", "\xCE\x9Fpen", "\\u039Fpen");
        row("space first", " lead", "\\x20lead");
        row("two spaces last", "trail  ", "trail\\x20\\x20");
        // Shown as an escape already: the tip would say nothing more.
        row("one space last", "trail ", "");
        row("ideographic space",
            "a\xE3\x80\x80"
            "b",
            "a\\u3000b");
        row("combining mark, NFC", "q\xCC\x81", "q\\u0301");
        // Escaped where it is shown: the tip would say nothing more.
        row("zero-width space",
            "a\xE2\x80\x8B"
            "b",
            "");
    }
    void onlyANameThatCanPassForAnotherIsSpelledOut()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, tip);
        QCOMPARE(nameToolTip(std::string_view(name.constData(), static_cast<std::size_t>(name.size()))), tip);
    }

    void aLongTipWrapsAndTakesNoLineForMarkup()
    {
        const QString tip = plainToolTip({QString(300, u'a'), QStringLiteral("<b>x\\u0430")});
        QVERIFY2(!tip.contains(QStringLiteral("<b>")), qPrintable(tip));
        QVERIFY(tip.contains(QStringLiteral("&lt;b&gt;x")));
        // Somewhere to break in every 32 characters, and before every escape.
        QVERIFY(tip.contains(QString(32, u'a') + QChar(0x200B) + QString(32, u'a')));
        QVERIFY(!tip.contains(QString(33, u'a')));
        QVERIFY(tip.contains(QStringLiteral("x") + QChar(0x200B) + QStringLiteral("\\u0430")));
        QCOMPARE(plainToolTip({QString(), QString()}), QString());
    }

    void pathFieldTextGivesBackTheBytesShown_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::newRow("plain") << QByteArray("/tmp/a b/");
        QTest::newRow("japanese") << QByteArray("/tmp/表ソ/");
        QTest::newRow("not utf-8") << QByteArray("/tmp/\x89\xFF/");
        QTest::newRow("backslash") << QByteArray("/tmp/a\\x41/");
        QTest::newRow("line break") << QByteArray("/tmp/a\nb/");
        QTest::newRow("yen sign") << QByteArray("/tmp/\xC2\xA5x/");
    }
    void pathFieldTextGivesBackTheBytesShown()
    {
        QFETCH(QByteArray, path);
        const std::string bytes = path.toStdString();
        QCOMPARE(pathBytes(nameText(bytes)), bytes);
    }

    void typedPathIsUtf8()
    {
        QCOMPARE(pathBytes(QStringLiteral("/tmp/計算/")), "/tmp/\xE8\xA8\x88\xE7\xAE\x97/"s);
    }
};

TOMBRELI_GUI_TEST_CLASS(ErrorTextTest);

} // namespace

} // namespace tombreli::test

#include "ErrorTextTest.moc"
