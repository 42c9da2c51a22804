#include "support/TestMain.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    return tessel::testing::runTestObjects(argc, argv);
}
