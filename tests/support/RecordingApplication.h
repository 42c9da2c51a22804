#pragma once

// The application with its messages recorded instead of shown in a box, its questions
// answered from a script, its port chooser replaced by a list of names, and (when listed)
// the modules it connects to replaced by simulated ones.

#include "core/ModuleSimulator.h"
#include "link/LinkClock.h"
#include "link/ModuleConnection.h"
#include "session/BackupFolder.h"
#include "support/WindowBench.h"
#include "ui/Application.h"
#include "ui/ConfigWindow.h"
#include "ui/WindowStatusLine.h"

#include <QDir>
#include <QList>
#include <QStringList>
#include <QtTest>
#include <utility>

namespace tessel::testing {

class RecordingApplication : public RecordingOperator<Application> {
public:
    using RecordingOperator::RecordingOperator;
    std::optional<QString> choosePort(const QString &offeredPort) override {
        ++portsChosen;
        portsOffered << offeredPort;
        return portsToChoose.isEmpty() ? QString() : portsToChoose.takeFirst();
    }

    struct SimulatedModule {
        ModuleKind kind;
        SimulatorFaults faults;
    };

    QList<std::optional<QString>> portsToChoose; // nothing: Cancel
    QStringList portsOffered;
    int portsChosen = 0;
    // The modules the next connections reach, in order; a port's own when none is left.
    QList<SimulatedModule> modules;
    LinkClock *clock = nullptr;

protected:
    std::unique_ptr<ModuleConnection> openConnection(const QString &port, QString &error) override {
        if (modules.isEmpty())
            return Application::openConnection(port, error);
        const SimulatedModule module = modules.takeFirst();
        return ModuleConnection::simulate(module.kind, module.faults, clock);
    }
};

// After "Close", a store offers the reconnection first; it sends nothing and makes no backup,
// and does not report a store that never began.
inline void storeAfterTheLineWent(RecordingApplication &app, int questionsAfter) {
    const QDir backups(BackupFolder().path());
    const QStringList before = backups.entryList(QDir::Files);
    const QString lastTransfer = app.configWindow()->statusLine().lastTransfer();
    app.configWindow()->storeSettings();
    QCOMPARE(app.questions.size(), questionsAfter);
    const QString &offer = app.questions.last();
    QVERIFY2(offer.contains("Nothing was stored, and no backup was made.") &&
                 !offer.contains("Error Storing Data"),
             qPrintable(offer));
    QCOMPARE(app.offered, (QStringList{"Reconnect", "Close"}));
    QCOMPARE(backups.entryList(QDir::Files), before);
    QCOMPARE(app.configWindow()->statusLine().lastTransfer(), lastTransfer);
}

} // namespace tessel::testing
