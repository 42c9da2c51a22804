// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

// The next line `process` prints, empty when none comes within `ms` or it ends first.
inline QString nextLineOf(QProcess &process, int ms) {
    QElapsedTimer waited;
    waited.start();
    while (!process.canReadLine() && waited.elapsed() < ms &&
           process.state() != QProcess::NotRunning)
        process.waitForReadyRead(100);
    return QString::fromLocal8Bit(process.readLine()).trimmed();
}

// A tessel-modsim process serving one virtual module until this object ends; the device path
// it prints is what the programs under test open.
class ModsimProcess {
public:
    ModsimProcess(const QString &program, const QStringList &options) {
        m_process.start(program, options);
        m_device = nextLine();
    }
    ~ModsimProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
    ModsimProcess(const ModsimProcess &) = delete;
    ModsimProcess &operator=(const ModsimProcess &) = delete;

    [[nodiscard]] const QString &device() const { return m_device; }
    [[nodiscard]] QProcess &process() { return m_process; }

    // The next line the simulator prints (with --tcp, its network port name follows the
    // device); empty when none comes within 5 s.
    QString nextLine() { return nextLineOf(m_process, 5000); }

private:
    QProcess m_process;
    QString m_device;
};
