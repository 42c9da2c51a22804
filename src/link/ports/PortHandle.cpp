// SPDX-License-Identifier: Apache-2.0
#include "link/ports/PortHandle.h"

#include <QFile>
#include <QMutex>
#include <map>
#include <sys/stat.h>

#ifdef Q_OS_LINUX
#include <linux/serial.h>
#include <sys/ioctl.h>
#endif
#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/file.h>
#endif

namespace tessel {

bool requestLowLatency(int handle) {
#ifdef Q_OS_LINUX
    serial_struct settings{};
    if (::ioctl(handle, TIOCGSERIAL, &settings) != 0)
        return false;
    if ((settings.flags & ASYNC_LOW_LATENCY) != 0)
        return true;
    settings.flags |= ASYNC_LOW_LATENCY;
    return ::ioctl(handle, TIOCSSERIAL, &settings) == 0;
#else
    Q_UNUSED(handle);
    return false;
#endif
}

bool holdExclusively(int handle) {
#ifdef Q_OS_UNIX
    return ::flock(handle, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
#else
    Q_UNUSED(handle);
    return true;
#endif
}

namespace {
QMutex heldMutex;
// Production runs open ports from several threads.
std::map<dev_t, QString> &heldPorts() {
    static std::map<dev_t, QString> held;
    return held;
}
} // namespace

PortClaim::PortClaim(int handle, QString device) {
    struct stat info {};
    if (::fstat(handle, &info) != 0 || !S_ISCHR(info.st_mode))
        return;
    m_device = info.st_rdev;
    const QMutexLocker locked(&heldMutex);
    heldPorts()[m_device] = std::move(device);
}

PortClaim::~PortClaim() {
    if (m_device == 0)
        return;
    const QMutexLocker locked(&heldMutex);
    heldPorts().erase(m_device);
}

QString PortClaim::heldAs(const QString &path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISCHR(info.st_mode))
        return {};
    const QMutexLocker locked(&heldMutex);
    const auto held = heldPorts().find(info.st_rdev);
    return held == heldPorts().end() ? QString() : held->second;
}

} // namespace tessel
