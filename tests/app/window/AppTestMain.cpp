#include "app/window/Application.h"

#include <gtest/gtest.h>

// The window tests run inside the program's own application object, so that
// errors escaping a handler take the same road as in the program.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("DEMO Lirasto - Notes"));
    InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}
