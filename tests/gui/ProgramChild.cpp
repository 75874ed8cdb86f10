#include "Application.h"
#include "FolderList.h"
#include "GuiTest.h"
#include "Host.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QGroupBox>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace tombreli::test {

namespace {

QString rectText(const QRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

int programChild(int argc, char** argv, int capacity)
{
    Application application(argc, argv);
    TForm1 form(hostFileServices(), hostNameOrder(), hostPathSyntax());
    Form1 = &form;
    for (const char* name : {"FileListBox1", "FileListBox2"}) {
        folderListOf(control<QListView>(form, name)).SetCapacity(static_cast<std::size_t>(capacity));
    }
    SeenBox box;
    answerNextBox(box, &application);
    // Once the window is up, note how it looks and close it as a user would.
    QString shown = QStringLiteral("window shown: no\n");
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, &application, [&form, &shown] {
        if (!form.isVisible() || QApplication::activeModalWidget() != nullptr) {
            return;
        }
        const auto* list = control<QListView>(form, "FileListBox1");
        shown =
            QStringLiteral("window shown: yes\nwindow: %1x%2\nposition: %3,%4\nGroupBox1: %5\nGroupBox3: %6\n"
                           "row height: %7\n")
                .arg(form.width())
                .arg(form.height())
                .arg(form.x())
                .arg(form.y())
                .arg(rectText(control<QGroupBox>(form, "GroupBox1")->geometry()),
                     rectText(control<QGroupBox>(form, "GroupBox3")->geometry()))
                .arg(list->visualRect(list->model()->index(0, 0)).height());
        form.close();
    });
    closer.start(50);
    const int code = application.run(form);
    const QString report =
        QStringLiteral("title: %1\nicon: %2, buttons: %3, modal: %4\ntext: %5\n")
            .arg(box.title,
                 box.icon == QMessageBox::Critical ? QStringLiteral("critical") : QStringLiteral("?"),
                 box.buttons == QMessageBox::Ok ? QStringLiteral("OK") : QStringLiteral("?"),
                 box.modality == Qt::ApplicationModal ? QStringLiteral("application") : QStringLiteral("?"),
                 box.text) +
        shown;
    std::fputs(report.toUtf8().constData(), stdout);
    return code;
}

ChildRun runProgramChild(int capacity, const QStringList& environment)
{
    TempFolder start;
    for (const char* name : {"a", "b", "c"}) {
        start.createFile(name);
    }
    QProcess child;
    child.setWorkingDirectory(QString::fromStdString(start.path()));
    child.setEnvironment(QProcess::systemEnvironment() + environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--program-child"), QString::number(capacity)});
    ChildRun run;
    if (!child.waitForFinished(120000) || child.exitStatus() != QProcess::NormalExit) {
        qWarning("the child did not end normally: %s", child.readAllStandardError().constData());
        return run;
    }
    run.exitCode = child.exitCode();
    run.lines = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n');
    return run;
}

} // namespace tombreli::test
