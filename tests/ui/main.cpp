#include "support/TestMain.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The offscreen platform's own screen first, where every window opens unless a test moves it;
// then the screens side by side that the small-screen tests move windows onto, so that the
// windows meet the same sizes, scale factors and frames a desktop gives them. A logical DPI
// twice the base one scales the windows by two.
constexpr const char *kScreens = R"({"screens": [
  {"name": "default", "x": 0, "y": 0, "width": 800, "height": 600,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "laptop", "x": 800, "y": 0, "width": 1366, "height": 768,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "scaled", "x": 2166, "y": 0, "width": 1920, "height": 1080,
   "logicalDpi": 192, "logicalBaseDpi": 96, "dpr": 1},
  {"name": "desktop", "x": 4086, "y": 0, "width": 1920, "height": 1080,
   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";

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
