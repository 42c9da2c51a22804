// SPDX-License-Identifier: Apache-2.0
#include "ui/production/RunSetup.h"

#include "core/ProfileText.h"
#include "link/ports/PortSource.h"
#include "session/production/ProductionSetup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>

namespace tessel {

namespace {
// A line edit with a button beside it that fills it from a file dialog.
QWidget *withChooser(QLineEdit *edit, QPushButton *choose) {
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(edit, 1);
    layout->addWidget(choose);
    return row;
}
} // namespace

QString prepareRun(const RunChoices &choices, const BackupFolder &backups,
                   ProductionRequest &request) {
    if (choices.profile.isEmpty())
        return RunSetup::tr("Choose the profile to store.");
    if (choices.ports.isEmpty())
        return RunSetup::tr("Tick at least one port.");
    QFile file(choices.profile);
    if (!file.open(QIODevice::ReadOnly))
        return RunSetup::tr("cannot read %1: %2").arg(choices.profile, file.errorString());
    const ProfileParse parsed = readProfile(file, choices.profile);
    if (!parsed.memory)
        return RunSetup::tr("%1; nothing was sent").arg(parsed.error);
    if (!choices.units.isEmpty() && !RecordDatabase::isDatabase(choices.record))
        return RunSetup::tr("A units file needs a database record (a .sqlite file or a "
                            "postgresql:// address), which keeps which units are done.");
    request.ports = choices.ports;
    request.setup.kind = choices.kind;
    request.setup.profile = EepromImage(*parsed.memory);
    request.setup.backupOn = sharedBackups(backups, nullptr);
    request.recordPath = choices.record;
    request.scan = choices.scan && !choices.units.isEmpty();
    request.facts = runFacts(choices.profile, request.setup.profile, {}, {});
    return readUnitsFile(choices.units, choices.profile, request);
}

RunSetup::RunSetup(QWidget *parent)
    : QWidget(parent), m_profile(new QLineEdit(this)), m_kind(new QComboBox(this)),
      m_units(new QLineEdit(this)),
      m_scan(new QCheckBox(tr("&Scan a kit label for each module"), this)),
      m_record(new QLineEdit(QStringLiteral("production.sqlite"), this)),
      m_ports(new QListWidget(this)), m_otherPort(new QLineEdit(this)) {
    m_profile->setObjectName(QStringLiteral("profile"));
    m_units->setObjectName(QStringLiteral("units"));
    m_scan->setObjectName(QStringLiteral("scan"));
    m_record->setObjectName(QStringLiteral("record"));
    m_ports->setObjectName(QStringLiteral("ports"));
    m_otherPort->setObjectName(QStringLiteral("otherPort"));
    m_units->setPlaceholderText(tr("none: every module gets the profile as it is"));
    m_record->setPlaceholderText(tr("a .sqlite or .csv file, or postgresql://HOST/DB"));
    m_otherPort->setPlaceholderText(tr("another port: a device path or tcp://HOST:PORT"));
    for (const ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold})
        m_kind->addItem(moduleKindName(kind), static_cast<int>(kind));
    m_ports->setMaximumHeight(110);

    auto *profile = new QPushButton(tr("Choose..."), this);
    connect(profile, &QPushButton::clicked, this, [this] {
        if (const QString f = chooseFile(tr("Profile"), tr("Profiles (*.txt);;All files (*)"));
            !f.isEmpty())
            m_profile->setText(f);
    });
    auto *units = new QPushButton(tr("Choose..."), this);
    connect(units, &QPushButton::clicked, this, [this] {
        if (const QString f =
                chooseFile(tr("Units file"), tr("Units files (*.csv);;All files (*)"));
            !f.isEmpty())
            m_units->setText(f);
    });
    auto *add = new QPushButton(tr("&Add"), this);
    connect(add, &QPushButton::clicked, this, [this] {
        if (const QString name = m_otherPort->text().trimmed(); !name.isEmpty())
            addPort(name, true);
        m_otherPort->clear();
    });
    connect(m_otherPort, &QLineEdit::returnPressed, add, &QPushButton::click);

    auto *form = new QFormLayout(this);
    form->addRow(tr("&Profile:"), withChooser(m_profile, profile));
    form->addRow(tr("&Kind:"), m_kind);
    form->addRow(tr("&Units file:"), withChooser(m_units, units));
    form->addRow(QString(), m_scan);
    form->addRow(tr("&Record:"), m_record);
    form->addRow(tr("P&orts:"), m_ports);
    form->addRow(QString(), withChooser(m_otherPort, add));
    refreshPorts();
    QSettings settings;
    settings.beginGroup(QStringLiteral("production"));
    if (settings.contains(QStringLiteral("profile"))) {
        setChoices({settings.value(QStringLiteral("profile")).toString(),
                    moduleKindFromKey(settings.value(QStringLiteral("kind")).toString())
                        .value_or(ModuleKind::Tessel),
                    settings.value(QStringLiteral("units")).toString(),
                    settings.value(QStringLiteral("scan")).toBool(),
                    settings.value(QStringLiteral("record")).toString(),
                    settings.value(QStringLiteral("ports")).toStringList()});
    }
}

void RunSetup::remember() const {
    const RunChoices c = choices();
    QSettings settings;
    settings.beginGroup(QStringLiteral("production"));
    settings.setValue(QStringLiteral("profile"), c.profile);
    settings.setValue(QStringLiteral("kind"), moduleKindKey(c.kind));
    settings.setValue(QStringLiteral("units"), c.units);
    settings.setValue(QStringLiteral("scan"), c.scan);
    settings.setValue(QStringLiteral("record"), c.record);
    settings.setValue(QStringLiteral("ports"), c.ports);
}

QString RunSetup::chooseFile(const QString &title, const QString &filter) {
    return QFileDialog::getOpenFileName(this, title, {}, filter);
}

void RunSetup::addPort(const QString &name, bool ticked) {
    if (!m_ports->findItems(name, Qt::MatchExactly).isEmpty())
        return;
    auto *item = new QListWidgetItem(name, m_ports);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void RunSetup::refreshPorts() {
    for (const PortFacts &port : SystemPortSource().ports())
        addPort(port.name, false);
}

RunChoices RunSetup::choices() const {
    RunChoices c;
    c.profile = m_profile->text().trimmed();
    c.kind = static_cast<ModuleKind>(m_kind->currentData().toInt());
    c.units = m_units->text().trimmed();
    c.scan = m_scan->isChecked();
    c.record = m_record->text().trimmed();
    for (int i = 0; i < m_ports->count(); ++i) {
        if (m_ports->item(i)->checkState() == Qt::Checked)
            c.ports << m_ports->item(i)->text();
    }
    return c;
}

void RunSetup::setChoices(const RunChoices &c) {
    m_profile->setText(c.profile);
    m_kind->setCurrentIndex(m_kind->findData(static_cast<int>(c.kind)));
    m_units->setText(c.units);
    m_scan->setChecked(c.scan);
    m_record->setText(c.record);
    for (int i = 0; i < m_ports->count(); ++i)
        m_ports->item(i)->setCheckState(Qt::Unchecked);
    for (const QString &port : c.ports) {
        addPort(port, true);
        m_ports->findItems(port, Qt::MatchExactly).constFirst()->setCheckState(Qt::Checked);
    }
}

} // namespace tessel
