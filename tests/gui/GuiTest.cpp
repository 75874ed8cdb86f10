#include "GuiTest.h"

#include "FolderListModel.h"
#include "Host.h"
#include "NameText.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace tombreli::test {

namespace {

std::vector<TestClass>& registry()
{
    static std::vector<TestClass> classes;
    return classes;
}

} // namespace

const std::vector<TestClass>& testClasses()
{
    return registry();
}

TestRegistration::TestRegistration(std::string_view className, TestFactory make)
{
    constexpr std::string_view Suffix = "Test";
    if (className.ends_with(Suffix)) {
        className.remove_suffix(Suffix.size());
    }
    registry().push_back({std::string(className), std::move(make)});
}

std::unique_ptr<TForm1> makeWindow(const std::string& workingFolder)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(workingFolder));
    auto window = std::make_unique<TForm1>(hostFileServices(), hostNameOrder(), hostPathSyntax());
    QDir::setCurrent(before);
    return window;
}

std::unique_ptr<TempFolder> threeFileFolder()
{
    auto folder = std::make_unique<TempFolder>();
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
        folder->createFile(name);
    }
    return folder;
}

std::unique_ptr<TForm1> openWindow(const std::string& workingFolder)
{
    std::unique_ptr<TForm1> window = makeWindow(workingFolder);
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) {
        qWarning("the window did not become active");
    }
    return window;
}

QStringList shownNames(const QListView* list)
{
    QStringList names;
    const QAbstractItemModel* model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        names << model->index(row, 0).data().toString();
    }
    return names;
}

FolderList& folderListOf(const QListView* list)
{
    return qobject_cast<const FolderListModel*>(list->model())->folderList();
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
}

QString pathText(const std::string& folder, const char* rest)
{
    return nameText(folder) + QString::fromUtf8(rest);
}

void answerNextBox(SeenBox& seen, QObject* owner)
{
    auto* timer = new QTimer(owner);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        timer->deleteLater();
        timer->stop();
        seen.seen = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.buttons = box->standardButtons();
        seen.modality = box->windowModality();
        seen.cursorWasBusy = QApplication::overrideCursor() != nullptr;
        box->button(QMessageBox::Ok)->click();
    });
    timer->start();
}

} // namespace tombreli::test
