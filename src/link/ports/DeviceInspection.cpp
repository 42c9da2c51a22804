// SPDX-License-Identifier: Apache-2.0
#include "link/ports/DeviceInspection.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#endif

namespace tessel {

// The context the windows translate this file's texts in.
struct DeviceInspection {
    Q_DECLARE_TR_FUNCTIONS(tessel::DeviceInspection)
};

QStringList standardLockFolders() {
    // The folders serial programs (and QSerialPort itself) leave their lock files in.
    return {QStringLiteral("/var/lock"),
            QStringLiteral("/run/lock"),
            QStringLiteral("/var/lock/lockdev"),
            QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"),
            QStringLiteral("/etc/locks"),
            QStringLiteral("/tmp")};
}

#ifdef Q_OS_UNIX
namespace {

// "LCK..ttyUSB0"; a device in a folder below /dev has its slashes made underscores
// ("LCK..pts_3"), as QSerialPort names it.
QString lockFileName(const QString &device) {
    QString name = device;
    if (name.startsWith(QLatin1String("/dev/")))
        name = name.mid(5);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + name;
}

// The pid on the first line: "      1234" (the old uucp form) or "1234" (QLockFile, lockdev).
std::optional<qint64> pidInLockFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    bool ok = false;
    const qint64 pid = file.readLine(64).trimmed().toLongLong(&ok);
    if (!ok || pid <= 0)
        return std::nullopt;
    return pid;
}

bool processRuns(qint64 pid) {
    // EPERM: it runs, under another user.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

QString commandName(qint64 pid) {
    QFile file(QStringLiteral("/proc/%1/comm").arg(pid));
    return file.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(file.readAll()).trimmed()
                                          : QString();
}

QString describeFileKind(mode_t mode) {
    if (S_ISREG(mode))
        return DeviceInspection::tr("a regular file");
    if (S_ISDIR(mode))
        return DeviceInspection::tr("a directory");
    if (S_ISBLK(mode))
        return DeviceInspection::tr("a block device (a disk)");
    if (S_ISFIFO(mode))
        return DeviceInspection::tr("a pipe");
    if (S_ISSOCK(mode))
        return DeviceInspection::tr("a socket");
    return DeviceInspection::tr("not a device");
}

bool sessionHasGroup(gid_t gid) {
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(static_cast<size_t>(count > 0 ? count : 0));
    if (count <= 0 || ::getgroups(count, groups.data()) < 0)
        return false;
    return std::find(groups.begin(), groups.end(), gid) != groups.end();
}

bool userListedInGroup(const group &owner) {
    const passwd *me = ::getpwuid(::geteuid());
    if (!me)
        return false;
    if (me->pw_gid == owner.gr_gid)
        return true;
    for (char **member = owner.gr_mem; member && *member; ++member)
        if (qstrcmp(*member, me->pw_name) == 0)
            return true;
    return false;
}

void noteOwnerGroup(const struct stat &info, DeviceEvidence &evidence) {
    evidence.groupMayOpen = (info.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    const group *owner = ::getgrgid(info.st_gid);
    if (!owner) {
        evidence.ownerGroup = QString::number(info.st_gid);
        return;
    }
    evidence.ownerGroup = QString::fromLocal8Bit(owner->gr_name);
    evidence.groupNotYetActive = userListedInGroup(*owner) && !sessionHasGroup(info.st_gid);
}

// Opens the device the way a serial program would, minus becoming its controlling terminal,
// and lets go at once.
void probeOpen(const QByteArray &path, const struct stat &info, DeviceEvidence &evidence) {
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        switch (errno) {
        case EACCES:
        case EPERM:
            evidence.accessDenied = true;
            noteOwnerGroup(info, evidence);
            break;
        case EBUSY: // another program set TIOCEXCL
            evidence.busy = true;
            break;
        case EIO: // a ttyS name whose UART is absent
        case ENXIO:
        case ENODEV:
            evidence.kind = DeviceEvidence::Kind::NoHardware;
            break;
        default:
            break;
        }
        return;
    }
    if (!::isatty(fd))
        evidence.kind = DeviceEvidence::Kind::NotATerminal;
    else if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
        evidence.busy = true;
    ::close(fd);
}

} // namespace

std::optional<qint64> lockHolderOf(const QString &device, const QStringList &lockFolders) {
    const QString real = QFileInfo(device).canonicalFilePath();
    const QString name = lockFileName(real.isEmpty() ? device : real);
    for (const QString &folder : lockFolders) {
        const std::optional<qint64> pid = pidInLockFile(folder + QLatin1Char('/') + name);
        if (pid && processRuns(*pid))
            return pid;
    }
    return std::nullopt;
}

DeviceEvidence inspectDevice(const QString &device, const QStringList &lockFolders) {
    DeviceEvidence evidence;
    const QByteArray path = QFile::encodeName(device);
    struct stat info {};
    if (::stat(path.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            evidence.kind = DeviceEvidence::Kind::Missing;
        return evidence;
    }
    if (!S_ISCHR(info.st_mode)) {
        evidence.kind = DeviceEvidence::Kind::NotADevice;
        evidence.fileKind = describeFileKind(info.st_mode);
        return evidence;
    }
    evidence.kind = DeviceEvidence::Kind::Device;
    evidence.lockHolder = lockHolderOf(device, lockFolders);
    if (evidence.lockHolder) {
        evidence.lockHolderName = commandName(*evidence.lockHolder);
        return evidence;
    }
    probeOpen(path, info, evidence);
    return evidence;
}

#else

std::optional<qint64> lockHolderOf(const QString &, const QStringList &) {
    return std::nullopt;
}

DeviceEvidence inspectDevice(const QString &, const QStringList &) {
    return {};
}

#endif

} // namespace tessel
