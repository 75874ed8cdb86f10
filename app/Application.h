#pragma once

#include <QApplication>

namespace tombreli {

// The application object: the title, the event loop, and the two places
// where an error reaches the user. Qt lets no exception cross its event loop,
// so an error that a handler raises is caught here, where its event was
// delivered, and shown in the error box; the program then goes on.
class Application : public QApplication
{
    Q_OBJECT

public:
    // Also sets the application title, "TOMBRELI", the caption of the error box.
    Application(int& argc, char** argv);

    // Makes `mainWindow` visible, which reads its folder lists for the first
    // time, then handles events until it is closed; returns the exit code. An
    // error while it is first shown is not the error box's: the last-chance
    // box is shown instead, and the program ends with 1.
    int run(QWidget& mainWindow);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    // Shows the error box for the error being handled; call it only from a catch block.
    static void reportCurrentError();
    static int reportLastChance(const void* where);
};

} // namespace tombreli
