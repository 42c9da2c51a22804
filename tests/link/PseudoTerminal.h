// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>
#include <pty.h>
#include <unistd.h>

namespace tessel::test {

// A pseudo-terminal: a serial device as the kernel sees it, without hardware. The program
// opens `path`; the test plays the module on `master`.
struct Pty {
    Pty() {
        char name[128] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) == 0)
            path = QString::fromLocal8Bit(name);
    }
    ~Pty() {
        closeMaster();
        ::close(slave);
    }
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    // Sends bytes as the module would; false when they did not all go out.
    bool answer(const QByteArray &bytes) const {
        return ::write(master, bytes.constData(), static_cast<size_t>(bytes.size())) ==
               bytes.size();
    }
    // The module's end goes away, as when an adapter is pulled out.
    void closeMaster() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }

    int master = -1;
    int slave = -1;
    QString path;
};

} // namespace tessel::test
