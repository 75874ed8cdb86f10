#include "Application.h"

#include "ErrorText.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTranslator>

#include <cstdlib>
#include <cxxabi.h>
#include <exception>
#include <memory>
#include <string>
#include <typeinfo>

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

// The type of the exception being handled, as the source spells it.
QString currentKind()
{
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (type == nullptr) {
        return {};
    }
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> name(
        abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), &std::free);
    return QString::fromUtf8(status == 0 && name ? name.get() : type->name());
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
        return reportLastChance(__builtin_return_address(0));
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
    const QString text =
        lastChanceText(currentKind(), QFileInfo(applicationFilePath()).fileName(), where, currentMessage());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("アプリケーション エラー"), text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    return 1;
}

} // namespace tombreli
