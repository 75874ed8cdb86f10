#include "Application.h"

#include "CompilerSupport.h"
#include "ErrorText.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>

#include <exception>
#include <string>

namespace tombreli {

namespace {

// The message of the exception being handled; empty if it carries none.
std::string currentMessage()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return {};
    }
}

} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    // The application name rather than the display name: Qt would append a
    // display name to every window's caption.
    setApplicationName(QStringLiteral("TOMBRELI"));
    // Qt's own texts (the text fields' menus) in Japanese, as the window's are, whatever the locale.
    auto* qtTexts = new QTranslator(this);
    if (qtTexts->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installTranslator(qtTexts);
    }
}

int Application::run(QWidget& mainWindow)
{
    try {
        mainWindow.show();
    } catch (...) {
        // C++ keeps no record of where an error was raised; the box names the
        // code that showed the window.
        return reportLastChance(returnAddress());
    }
    return exec();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        reportCurrentError();
        return false;
    }
}

void Application::reportCurrentError()
{
    const QString text = errorReportText(currentMessage());
    // The box takes the focus; give it back to where it was, as the user left it.
    const QPointer<QWidget> window = activeWindow();
    const QPointer<QWidget> focus = focusWidget();
    QMessageBox box(QMessageBox::Critical, applicationName(), text, QMessageBox::Ok, window);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    if (window) {
        window->activateWindow();
    }
    if (focus) {
        focus->setFocus(Qt::OtherFocusReason);
    }
}

int Application::reportLastChance(const void* where)
{
    const QString text = lastChanceText(QString::fromStdString(currentExceptionType()),
                                        QFileInfo(applicationFilePath()).fileName(), where, currentMessage());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("アプリケーション エラー"), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return 1;
}

} // namespace tombreli
