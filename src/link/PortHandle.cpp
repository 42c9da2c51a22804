#include "link/PortHandle.h"

#include <QtGlobal>

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

} // namespace tessel
