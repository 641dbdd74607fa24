#include <QApplication>
#include <gtest/gtest.h>

// Widget tests need one application object for the whole run; the offscreen
// platform is set by the test registration, so nothing opens a real window.
int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
