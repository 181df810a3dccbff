#include "browser/web_schemes.h"

#include <gtest/gtest.h>

#include <QApplication>

// Every test executable runs inside a QApplication so that widgets, web panes and
// event loops behave as in the client; unit tests simply do not use it.
int main(int argc, char **argv)
{
    registerWebSchemes();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
