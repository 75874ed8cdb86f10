#pragma once

#include <QAbstractButton>
#include <QListView>
#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QObject;
class TForm1;

namespace tombreli {
class FolderList;
}

namespace tombreli::test {

class TempFolder;

// The test classes, each run by name (see main.cpp). Each class XTest
// registers itself as "X" from its file, XTest.cpp; CMakeLists.txt names the
// classes once, for both the program's sources and its CTest entries.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
struct TestClass
{
    std::string name;
    TestFactory make;
};
const std::vector<TestClass>& testClasses();

struct TestRegistration
{
    TestRegistration(std::string_view className, TestFactory make);
};

#define TOMBRELI_GUI_TEST_CLASS(Class)                                                                       \
    const ::tombreli::test::TestRegistration registered##Class(                                              \
        #Class, [] { return std::unique_ptr<QObject>(std::make_unique<Class>()); })

// The program's start-up with lists that take `capacity` names, run in a
// child process. Reports on stdout the message box it showed, if any, and
// whether the window came up, with its size and a few of its controls' (it
// is then closed).
int programChild(int argc, char** argv, int capacity);

struct ChildRun
{
    int exitCode = -1;
    QStringList lines;
};
// Runs programChild in a working folder of three files, with `environment`
// ("NAME=value") added to this process's.
ChildRun runProgramChild(int capacity, const QStringList& environment = {});

// A window made as the program makes it, its lists starting in `workingFolder`
// (the process's working folder is set to it and put back afterwards).
std::unique_ptr<TForm1> makeWindow(const std::string& workingFolder);

// A working folder holding a.txt, b.txt and c.txt.
std::unique_ptr<TempFolder> threeFileFolder();

// makeWindow, shown and active, so that it takes keys and shortcuts.
std::unique_ptr<TForm1> openWindow(const std::string& workingFolder);

// The control of the window with that object name; nullptr if there is none.
template <typename T> T* control(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}

// The list view's names as shown, top to bottom.
QStringList shownNames(const QListView* list);

// The folder list behind a list view.
FolderList& folderListOf(const QListView* list);

// A click on a button, and its handler run (handlers run as events of their own).
void click(QAbstractButton* button);

// A path as the path fields want it: the folder, followed by `rest`.
QString pathText(const std::string& folder, const char* rest = "/");

// What a message box showed before it was answered.
struct SeenBox
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    Qt::WindowModality modality = Qt::NonModal;
    bool cursorWasBusy = false;
};

// Answers the next message box with OK once it is up, and notes what it
// showed; gives up when `owner` goes.
void answerNextBox(SeenBox& seen, QObject* owner);

} // namespace tombreli::test
