// SPDX-License-Identifier: Apache-2.0
#include "session/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessel {

namespace {
QByteArray encoded(const QString &path) {
    return QFile::encodeName(path);
}

// Names under /dev and /proc stand for something already open or special (/dev/stdout is the
// shell's redirection, /dev/fd/3 a descriptor): they are written to, never replaced.
bool namesSomethingSpecial(const QString &path) {
    return path.startsWith(QLatin1String("/dev/")) || path.startsWith(QLatin1String("/proc/"));
}

// Where a name that may be a symbolic link to nothing yet leads: the file is made there and
// the link stays, as cp makes it (replacing the link would cut what it joins).
QString linkedTarget(const QString &path) {
    QString target = path;
    for (int hops = 0; hops < 40 && QFileInfo(target).isSymLink(); ++hops)
        target = QFileInfo(target).symLinkTarget();
    return target;
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}
} // namespace

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString writeAndSync(int fd, const QByteArray &bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return systemError();
        }
        done += n;
    }
    // A terminal, a pipe or a device such as /dev/null has nothing to flush.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS && errno != ENOTSUP)
        return systemError();
    return {};
}

void syncFolder(const QString &folder) {
    const int fd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool sameFile(int fd, const QString &path) {
    struct stat open {};
    struct stat named {};
    if (::fstat(fd, &open) != 0 || ::stat(encoded(path).constData(), &named) != 0)
        return false;
    if (S_ISCHR(open.st_mode) && S_ISCHR(named.st_mode))
        return open.st_rdev == named.st_rdev;
    return open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool OutputFile::isSameFileAs(const QString &path) const {
    return m_fd >= 0 && sameFile(m_fd, path);
}

OutputFile::OutputFile(QString path) : m_path(std::move(path)) {}

OutputFile::~OutputFile() {
    discard();
}

bool OutputFile::fail(const QString &why) {
    m_error = QStringLiteral("cannot write %1: %2").arg(m_path, why);
    discard();
    return false;
}

void OutputFile::discard() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_temporary.isEmpty())
        ::unlink(encoded(m_temporary).constData());
    m_temporary.clear();
}

bool OutputFile::open() {
    m_error.clear();
    struct stat info {};
    if (namesSomethingSpecial(m_path))
        return openInPlace(false);
    if (::stat(encoded(m_path).constData(), &info) != 0) {
        if (errno != ENOENT)
            return fail(systemError());
        return openBeside(linkedTarget(m_path));
    }
    if (!S_ISREG(info.st_mode))
        return openInPlace(false);
    if (info.st_nlink > 1)
        return openInPlace(true);
    // The rename must not take away what the permissions keep: a read-only file stays.
    if (::access(encoded(m_path).constData(), W_OK) != 0)
        return fail(systemError());
    return openBeside(QFileInfo(m_path).canonicalFilePath());
}

bool OutputFile::openInPlace(bool truncate) {
    // Appending: what a shell redirection already holds stays, and a regular file is emptied
    // only once there is something to put in its place.
    const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | (truncate ? 0 : O_APPEND);
    do {
        m_fd = ::open(encoded(m_path).constData(), flags);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        return fail(systemError());
    m_target.clear();
    m_truncate = truncate;
    return true;
}

bool OutputFile::openBeside(const QString &target) {
    const QFileInfo where(target);
    QByteArray pattern = encoded(where.absolutePath() + QStringLiteral("/.") + where.fileName() +
                                 QStringLiteral(".XXXXXX"));
    m_fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (m_fd < 0)
        return fail(systemError());
    m_temporary = QFile::decodeName(pattern);
    m_target = target;
    struct stat old {};
    if (::stat(encoded(target).constData(), &old) == 0) {
        ::fchmod(m_fd, old.st_mode & 07777);
        // Only root may give a file away; anyone else keeps the file as their own.
        if (::fchown(m_fd, old.st_uid, old.st_gid) != 0)
            errno = 0;
    } else {
        ::fchmod(m_fd, 0666 & ~currentUmask());
    }
    return true;
}

bool OutputFile::commit(const QByteArray &bytes) {
    if (m_fd < 0)
        return m_error.isEmpty() ? fail(QStringLiteral("it was not opened")) : false;
    if (m_truncate && ::ftruncate(m_fd, 0) != 0)
        return fail(systemError());
    if (const QString why = writeAndSync(m_fd, bytes); !why.isEmpty())
        return fail(why);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0)
        return fail(systemError());
    if (m_temporary.isEmpty())
        return true;
    if (::rename(encoded(m_temporary).constData(), encoded(m_target).constData()) != 0)
        return fail(systemError());
    m_temporary.clear();
    syncFolder(QFileInfo(m_target).absolutePath());
    return true;
}

QString writeProfileFile(const QString &path, const QString &profile) {
    // As `read -o` writes: a reader sees the old text or the new, a file's other names show
    // the new one, and a device is written, not replaced.
    OutputFile file(path);
    if (file.open() && file.commit(profile.toLatin1() + '\n'))
        return {};
    QString error = file.error();
    error[0] = error[0].toUpper();
    return error + QLatin1Char('.');
}

} // namespace tessel
