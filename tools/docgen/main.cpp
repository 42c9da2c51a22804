// SPDX-License-Identifier: Apache-2.0
// tessel-docgen: writes tessel-config's man page or a shell's completion script to a file,
// from the command table.
//   tessel-docgen (man | bash | zsh | fish) FILE [DATE]

#include "Completions.h"
#include "ManPage.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

using namespace tessel::docs;

int main(int argc, char *argv[]) {
    const QString what = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QString text;
    if (what == QLatin1String("man") && argc == 4)
        text = manPage(QStringLiteral(TESSEL_VERSION), QString::fromLocal8Bit(argv[3]));
    else if (what == QLatin1String("bash"))
        text = bashCompletion();
    else if (what == QLatin1String("zsh"))
        text = zshCompletion();
    else if (what == QLatin1String("fish"))
        text = fishCompletion();
    if (text.isEmpty() || argc < 3) {
        std::fputs("usage: tessel-docgen (man | bash | zsh | fish) FILE [DATE]\n", stderr);
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[2]);
    QSaveFile file(path);
    if (!QDir().mkpath(QFileInfo(path).path()) || !file.open(QIODevice::WriteOnly) ||
        file.write(text.toUtf8()) < 0 || !file.commit()) {
        std::fprintf(stderr, "tessel-docgen: cannot write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
