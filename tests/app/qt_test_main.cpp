#include <QCoreApplication>

#include <gtest/gtest.h>

// The guard and the application object need a Qt application and its event loop.
int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
