#include <gtest/gtest.h>

#include <QCoreApplication>

// Tests of the core library run inside a QCoreApplication, for event loops, timers and
// sockets; no display and no web engine, as in the core library itself.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
