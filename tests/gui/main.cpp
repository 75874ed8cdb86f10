// The window's tests, one QtTest class a run: tombreli_gui_tests CLASS [QtTest options].
// Every class runs under the program's own application object, so that
// errors reach the error report as they do in the program.

#include "Application.h"
#include "GuiTest.h"

#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    using namespace tombreli::test;
    if (argc == 3 && std::strcmp(argv[1], "--program-child") == 0) {
        return programChild(argc, argv, std::atoi(argv[2]));
    }
    const std::vector<TestClass>& classes = testClasses();
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CLASS [QtTest options]; classes:", argv[0]);
        for (const TestClass& c : classes) {
            std::fprintf(stderr, " %s", c.name.c_str());
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    for (const TestClass& c : classes) {
        if (c.name != argv[1]) {
            continue;
        }
        tombreli::Application application(argc, argv);
        const std::unique_ptr<QObject> test = c.make();
        // QtTest sees the program's name and the options after the class.
        argv[1] = argv[0];
        return QTest::qExec(test.get(), argc - 1, argv + 1);
    }
    std::fprintf(stderr, "%s: no test class %s\n", argv[0], argv[1]);
    return 2;
}
