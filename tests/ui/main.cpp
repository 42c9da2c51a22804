// SPDX-License-Identifier: Apache-2.0
#include "support/TestMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The offscreen platform's own screen first, where every window opens unless a test moves it;
// then beside it the screen the small-screen tests move windows onto, so that the windows meet
// the size, scale factor and frames a desktop gives them. A logical DPI of 192, twice the
// platform's base one, scales the windows by two.
constexpr const char *kScreens = R"({"screens": [
  {"name": "default", "width": 800, "height": 600},
  {"name": "scaled", "x": 800, "width": 1920, "height": 1080, "logicalDpi": 192}]})";

} // namespace

int main(int argc, char **argv) {
    QTemporaryDir dir;
    QFile config(dir.filePath(QStringLiteral("screens.json")));
    if (!config.open(QIODevice::WriteOnly) || config.write(kScreens) < 0)
        qFatal("cannot write the screen configuration");
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    return tessel::testing::runTestObjects(argc, argv);
}
