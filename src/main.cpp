#include "startup/startup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    StartUp();
    return 0;
}
