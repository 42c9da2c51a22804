// SPDX-License-Identifier: Apache-2.0
// The main of the test executables without windows: runs the test objects its arguments name.

#include "support/TestMain.h"

#include <QCoreApplication>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    return tessel::testing::runTestObjects(argc, argv);
}
