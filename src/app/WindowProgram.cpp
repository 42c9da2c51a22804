// SPDX-License-Identifier: Apache-2.0
#include "WindowProgram.h"

#include "cli/commands/CommandLine.h"
#include "cli/commands/Terminal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tessel {

namespace {
const char *const kWindowProgramName = "tessel-config-window";

// This executable's folder, from the kernel rather than argv[0]: a command found through PATH
// or started through a symlink still finds its window program.
QString ownFolder() {
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}
} // namespace

QString windowProgram() {
    const QString candidate = QDir(ownFolder()).filePath(QLatin1String(kWindowProgramName));
    return QFileInfo(candidate).isExecutable() ? candidate : QString();
}

int runWindowProgram(char *argv[]) {
    const QString program = windowProgram();
    if (program.isEmpty()) {
        return fail(exitcode::kBadInput,
                    QStringLiteral("The window program %1 is not installed; the commands work "
                                   "without it (try --help).")
                        .arg(QLatin1String(kWindowProgramName)));
    }
    const QByteArray path = QFile::encodeName(program);
    ::execv(path.constData(), argv);
    const int error = errno;
    return fail(exitcode::kBadInput,
                QStringLiteral("Cannot start %1: %2")
                    .arg(program, QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace tessel
