// TOMBRELI: compares two folders by file name.

#include "Application.h"
#include "Host.h"
#include "Unit1.h"

int main(int argc, char* argv[])
{
    // The program takes no arguments, not even the toolkit's own.
    int argumentCount = 1;
    (void)argc;
    tombreli::Application application(argumentCount, argv);
    TForm1 form(tombreli::hostFileServices(), tombreli::hostNameOrder(), tombreli::hostPathSyntax());
    Form1 = &form;
    return application.run(form);
}
