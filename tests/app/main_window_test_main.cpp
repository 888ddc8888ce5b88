#include <QApplication>

#include <gtest/gtest.h>

// Widgets need a QApplication; the tests run offscreen (test discovery too,
// which runs without the test's environment).
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
