#include <QCoreApplication>

#include <gtest/gtest.h>

// Queued signals need an event loop, and nothing here needs a screen.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
