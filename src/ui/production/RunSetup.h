// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/BackupFolder.h"
#include "session/production/ProductionRun.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;

namespace tessel {

// What a station window's run is made of, as the operator chose it.
struct RunChoices {
    QString profile; // a profile file
    ModuleKind kind = ModuleKind::Tessel;
    QString units; // a units file; empty for none
    bool scan = false;
    QString record; // a .csv or .sqlite file, or a postgresql:// address; empty for none
    QStringList ports;
};

// Builds a run from the choices, refused as program refuses them: an error message, and
// nothing sent, when the profile, the units or the ports will not do.
[[nodiscard]] QString prepareRun(const RunChoices &choices, const BackupFolder &backups,
                                 ProductionRequest &request);

// The part of the station window where the run is chosen: the profile and its kind, the units
// file and whether a scanner chooses units, the record, and the ports (several at once, from
// the ports present, or named).
class RunSetup : public QWidget {
    Q_OBJECT
public:
    explicit RunSetup(QWidget *parent = nullptr);

    [[nodiscard]] RunChoices choices() const;
    void setChoices(const RunChoices &choices);
    // The station opens with the choices of its last run, kept in the program's settings.
    void remember() const;
    // Lists the ports present again, keeping those ticked.
    void refreshPorts();

private:
    void addPort(const QString &name, bool ticked);
    QString chooseFile(const QString &title, const QString &filter);

    QLineEdit *m_profile;
    QComboBox *m_kind;
    QLineEdit *m_units;
    QCheckBox *m_scan;
    QLineEdit *m_record;
    QListWidget *m_ports;
    QLineEdit *m_otherPort;
};

} // namespace tessel
