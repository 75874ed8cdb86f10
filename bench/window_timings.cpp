// Times the window on two big folders, as a person would see it: from a click
// on "取得" until the list is painted, and from a click on "計算" until the
// three result boxes are painted; then Ctrl+A, Ctrl+C in the fullest box.
// After each step, the process's resident memory, and at the end its peak.
//
//   tombreli_window_timings FOLDER1 FOLDER2 [--wrap]
//
// FOLDER1 and FOLDER2 as bench/make_folders.py makes them. --wrap lets long
// lines of the result boxes wrap, to compare with the window's choice.

#include "Application.h"
#include "Host.h"
#include "ResultBox.h"
#include "Unit1.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <string>

namespace {

// Notes which widgets have been painted since the last clear().
class PaintWatch : public QObject
{
public:
    void watch(QWidget* widget) { widget->installEventFilter(this); }
    void clear() { m_painted.clear(); }
    bool painted(const QObject* widget) const { return m_painted.count(widget) != 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_painted.insert(watched);
        }
        return false;
    }

private:
    std::set<const QObject*> m_painted;
};

// A figure of /proc/self/status in MiB ("VmRSS" now, "VmHWM" the peak); -1 where there is none.
double memoryMiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":")) {
            return std::stod(line.substr(field.size() + 1)) / 1024;
        }
    }
    return -1;
}

void reportMemory(const char* after)
{
    std::printf("  resident after %s: %.0f MiB\n", after, memoryMiB("VmRSS"));
}

template <typename T> T* control(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

// Clicks `button` and handles events until every widget of `shown` is painted; returns the milliseconds.
double timeClick(QPushButton* button, PaintWatch& watch, std::initializer_list<QWidget*> shown)
{
    QCoreApplication::processEvents();
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    // The handler runs as an event of its own; only a paint after it shows its result.
    QCoreApplication::sendPostedEvents(button->window(), QEvent::MetaCall);
    watch.clear();
    const auto allPainted = [&] {
        for (const QWidget* widget : shown) {
            if (!watch.painted(widget)) {
                return false;
            }
        }
        return true;
    };
    while (!allPainted()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER1 FOLDER2 [--wrap]\n", argv[0]);
        return 2;
    }
    const bool wrap = argc > 3 && std::strcmp(argv[3], "--wrap") == 0;
    int qtArgc = 1;
    tombreli::Application application(qtArgc, argv);
    TForm1 window(tombreli::hostFileServices(), tombreli::hostNameOrder(), tombreli::hostPathSyntax());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    PaintWatch watch;
    auto* list1 = control<QListView>(window, "FileListBox1");
    auto* list2 = control<QListView>(window, "FileListBox2");
    watch.watch(list1->viewport());
    watch.watch(list2->viewport());
    QList<QWidget*> memos;
    for (const char* name : {"Memo1", "Memo2", "Memo3"}) {
        auto* memo = control<tombreli::ResultBox>(window, name);
        if (wrap) {
            memo->setWrapMode(QsciScintilla::WrapWord);
        }
        watch.watch(memo->viewport());
        memos << memo->viewport();
    }

    control<QLineEdit>(window, "Edit1")->setText(QString::fromLocal8Bit(argv[1]) + u'/');
    control<QLineEdit>(window, "Edit2")->setText(QString::fromLocal8Bit(argv[2]) + u'/');
    reportMemory("start");
    const double fetch1 = timeClick(control<QPushButton>(window, "Button1"), watch, {list1->viewport()});
    std::printf("取得 1, %d names: %.0f ms\n", list1->model()->rowCount(), fetch1);
    reportMemory("取得 1");
    const double fetch2 = timeClick(control<QPushButton>(window, "Button2"), watch, {list2->viewport()});
    std::printf("取得 2, %d names: %.0f ms\n", list2->model()->rowCount(), fetch2);
    reportMemory("取得 2");
    const double compare =
        timeClick(control<QPushButton>(window, "Button3"), watch, {memos[0], memos[1], memos[2]});
    const auto lines = [&](const char* name) {
        // The last line break ends the last name; no line follows it.
        return control<tombreli::ResultBox>(window, name)->lines() - 1;
    };
    std::printf("計算 (%s), %d + %d + %d lines: %.0f ms\n", wrap ? "lines wrap" : "no wrap", lines("Memo2"),
                lines("Memo1"), lines("Memo3"), compare);
    reportMemory("計算");
    std::printf("  peak resident over 取得, 取得, 計算: %.0f MiB\n", memoryMiB("VmHWM"));

    // The box of names in both, as a person copies the results out.
    auto* memo = control<tombreli::ResultBox>(window, "Memo1");
    memo->setFocus();
    QCoreApplication::processEvents();
    QElapsedTimer copyTimer;
    copyTimer.start();
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_C, Qt::ControlModifier);
    const double copy = static_cast<double>(copyTimer.nsecsElapsed()) / 1e6;
    const qsizetype copied = QGuiApplication::clipboard()->text().count(u'\n');
    std::printf("Ctrl+A, Ctrl+C in a box of %d lines, %lld copied: %.0f ms\n", lines("Memo1"),
                static_cast<long long>(copied), copy);
    reportMemory("Ctrl+A, Ctrl+C");
    std::printf("  peak resident: %.0f MiB\n", memoryMiB("VmHWM"));
    return 0;
}
