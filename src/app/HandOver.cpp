// SPDX-License-Identifier: Apache-2.0
#include "HandOver.h"

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
// This executable's folder, from the kernel rather than argv[0]: a command found through PATH
// or started through a symlink still finds the programs beside it.
QString ownFolder() {
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

// The program of that name beside this one; empty when it is not there.
QString programBeside(const char *name) {
    const QString candidate = QDir(ownFolder()).filePath(QLatin1String(name));
    return QFileInfo(candidate).isExecutable() ? candidate : QString();
}
} // namespace

int handOver(const char *name, char *argv[]) {
    const QString program = programBeside(name);
    if (program.isEmpty()) {
        return fail(exitcode::kBadInput,
                    QStringLiteral("The program %1 is not installed; the other commands work "
                                   "without it (try --help).")
                        .arg(QLatin1String(name)));
    }
    const QByteArray path = QFile::encodeName(program);
    ::execv(path.constData(), argv);
    const int error = errno;
    return fail(exitcode::kBadInput,
                QStringLiteral("Cannot start %1: %2")
                    .arg(program, QString::fromLocal8Bit(std::strerror(error))));
}

} // namespace tessel
