#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

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
    QString nextLine() {
        QElapsedTimer waited;
        waited.start();
        while (!m_process.canReadLine() && waited.elapsed() < 5000 &&
               m_process.state() != QProcess::NotRunning)
            m_process.waitForReadyRead(100);
        return QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }

private:
    QProcess m_process;
    QString m_device;
};
