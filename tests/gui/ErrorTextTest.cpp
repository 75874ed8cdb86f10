#include "ErrorText.h"

#include "GuiTest.h"
#include "NameText.h"

#include <QTest>

#include <string>

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
        QCOMPARE(nameLines({}), QString());
        QCOMPARE(nameLines({"a.txt", "line\nbreak", "bad\x89"}),
                 QStringLiteral("a.txt\nline\\nbreak\nbad\\x89\n"));
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

} // namespace

TestClass errorTextTests()
{
    return {"ErrorText", [] {
                return std::make_unique<ErrorTextTest>();
            }};
}

} // namespace tombreli::test

#include "ErrorTextTest.moc"
