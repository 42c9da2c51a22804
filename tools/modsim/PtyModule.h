// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/ModuleSimulator.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <map>

class QSocketNotifier;

namespace tessel {

// Puts a simulated module behind a pseudo-terminal, so that the real program can open its
// slave side like a serial port. Bytes are paced like a 115200 baud line in both directions
// unless pacing is switched off: a command counts as received once its last byte would have
// crossed the wire, and each reply byte appears when it would have arrived.
class PtyModule final : public QObject {
    Q_OBJECT
public:
    // 10 bits a byte (start, 8 data, stop) at 115200 baud.
    static constexpr double kByteMicros = 10.0 * 1e6 / 115200.0;

    struct Options {
        bool pacing = true;
        // When set, the module's memory is written there as profile text at start and after
        // every block-store command it receives.
        QString dumpPath;
        // Each command's name ("link-test", "read3", "store15") printed on standard output as
        // it is received, so that a test can wait for what the module was asked.
        bool logCommands = false;
        // A path kept as a symbolic link to the device, as a stable by-id name is; it goes
        // with the device and comes back with it.
        QString linkPath;
        // In a jig that swaps modules, each module brings its own adapter: the device goes
        // when the module is taken out and a new one appears when the next is put in.
        bool unplug = false;
    };

    PtyModule(ModuleSimulator &module, Options options, QObject *parent = nullptr);
    ~PtyModule() override;
    PtyModule(const PtyModule &) = delete;
    PtyModule &operator=(const PtyModule &) = delete;

    // Creates the pseudo-terminal; an error message, or empty on success.
    [[nodiscard]] QString open();
    // The device a client opens, e.g. /dev/pts/4.
    [[nodiscard]] QString devicePath() const { return m_devicePath; }
    // What a client is told to open: the link when there is one, else the device.
    [[nodiscard]] QString portPath() const {
        return m_options.linkPath.isEmpty() ? m_devicePath : m_options.linkPath;
    }
    // Writes the dump file now (another transport changed the module's memory).
    void writeDump();

Q_SIGNALS:
    // The simulated line dropped: the terminal is closed and the client sees it vanish.
    void lineDropped();
    // The dump file could not be written.
    void dumpFailed(const QString &message);

private:
    void onReadable();
    void sendDue();
    void closeTerminal();
    // The jig's module is taken out, and later the next one put in; printed with
    // logCommands as "module-out" and "module-in".
    void takeOut();
    void putIn();
    void log(const QString &line);
    void dumpSwapped();
    // Writes `memory` to the dump file, its name followed by `suffix`.
    void dumpMemory(const ModuleMemory &memory, const QString &suffix = {});
    [[nodiscard]] qint64 now() const { return m_elapsed.nsecsElapsed() / 1000; }

    ModuleSimulator &m_module;
    Options m_options;
    int m_master = -1;
    // Kept open so that the master side never sees a hang-up between two clients.
    int m_slaveKeeper = -1;
    QString m_devicePath;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_sendTimer;
    QTimer m_leaveTimer;
    QTimer m_backTimer;
    QElapsedTimer m_elapsed;
    // Reply bytes by the time (microseconds on m_elapsed) they reach the client.
    std::multimap<qint64, char> m_outgoing;
    double m_inputFreeAt = 0;      // when the line towards the module is next idle
    double m_outputFreeAt = 0;     // when the line towards the client is next idle
    std::size_t m_swapsDumped = 0; // modules taken out whose memory is in a dump file
};

} // namespace tessel
