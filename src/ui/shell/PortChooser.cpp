// SPDX-License-Identifier: Apache-2.0
#include "ui/shell/PortChooser.h"

#include "link/ports/PortSource.h"
#include "ui/widgets/FormControls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tessel {

QString portDetailsText(const PortFacts &port) {
    const std::pair<QString, QString> facts[] = {
        {PortChooser::tr("Device"), port.device},
        {PortChooser::tr("Description"), port.description},
        {PortChooser::tr("Manufacturer"), port.manufacturer},
        {PortChooser::tr("Serial number"), port.serialNumber},
        {PortChooser::tr("USB vendor:product"), port.vendorProduct()},
        {PortChooser::tr("Stable name"), port.stableName},
    };
    QStringList lines;
    for (const auto &[what, value] : facts)
        if (!value.isEmpty())
            lines << QStringLiteral("%1: %2").arg(what, value);
    return lines.join(QLatin1Char('\n'));
}

PortChooser::PortChooser(const PortSource &source, PortSetting setting, QWidget *parent)
    : QDialog(parent), m_setting(std::move(setting)), m_watcher(source, PortWatcher::kIntervalMs),
      m_ports(new QComboBox(this)), m_details(new QLabel(this)) {
    setObjectName(QStringLiteral("portChooser"));
    setWindowTitle(tr("Select Com Port"));
    // Wide enough for a port's stable name (/dev/serial/by-id/usb-...-port0), in the box and
    // in the facts below it.
    setFixedSize(px(9600), px(3165));
    auto *label = new QLabel(tr("Com Port"), this);
    label->setObjectName(QStringLiteral("portCaption"));
    label->setGeometry(twipRect(240, 240, 1335, 315));
    label->setBuddy(m_ports);
    m_ports->setObjectName(QStringLiteral("ports"));
    m_ports->setEditable(true);
    m_ports->setGeometry(twipRect(1200, 240, 8160, 315));
    m_ports->setAccessibleName(tr("Com Port"));
    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setGeometry(twipRect(1080, 840, 1095, 315));
    ok->setDefault(true);
    // Unlike closing the window, which takes the port offered, Cancel chooses none.
    auto *cancel = new QPushButton(tr("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    cancel->setGeometry(twipRect(2280, 840, 1095, 315));
    m_details->setObjectName(QStringLiteral("portDetails"));
    m_details->setGeometry(twipRect(240, 1320, 9120, 1650));
    m_details->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_details->setWordWrap(true);
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_details->setAccessibleDescription(tr("What the system knows of the port"));

    showPorts(m_watcher.ports());
    m_offered = portToPreselect(m_setting.remembered(), m_watcher.ports());
    showOffered();
    connect(ok, &QPushButton::clicked, this, &PortChooser::acceptChoice);
    connect(cancel, &QPushButton::clicked, this, &PortChooser::cancelChoice);
    connect(&m_watcher, &PortWatcher::portsChanged, this, &PortChooser::showPorts);
    connect(m_ports, &QComboBox::editTextChanged, this, &PortChooser::showDetails);
}

QString PortChooser::portName() const {
    return (result() == Accepted ? m_ports->currentText() : m_offered).trimmed();
}

void PortChooser::offer(const QString &port) {
    m_offered = port;
    showOffered();
}

void PortChooser::showOffered() {
    // The port offered stands selected in the list when it is present under any of its names.
    const PortFacts *present = findPort(m_offered, m_watcher.ports());
    if (present)
        m_ports->setCurrentIndex(m_ports->findText(present->name));
    m_ports->setEditText(m_offered);
    showDetails();
}

void PortChooser::reject() {
    m_ports->setEditText(m_offered);
    QDialog::reject();
}

void PortChooser::cancelChoice() {
    m_cancelled = true;
    QDialog::reject();
}

void PortChooser::acceptChoice() {
    m_settingError = m_setting.remember(m_ports->currentText());
    accept();
}

void PortChooser::showPorts(const QList<PortFacts> &ports) {
    // Refilling the list must not disturb what the operator is typing.
    const QString typed = m_ports->currentText();
    const int cursor = m_ports->lineEdit()->cursorPosition();
    const QSignalBlocker quiet(m_ports);
    m_ports->clear();
    for (const PortFacts &port : ports) {
        m_ports->addItem(port.name);
        m_ports->setItemData(m_ports->count() - 1, port.summary(), Qt::ToolTipRole);
    }
    m_ports->setEditText(typed);
    m_ports->lineEdit()->setCursorPosition(cursor);
    showDetails();
}

void PortChooser::showDetails() {
    const QString name = m_ports->currentText().trimmed();
    const PortFacts *port = findPort(name, m_watcher.ports());
    const QString details =
        port ? portDetailsText(*port)
             : (name.isEmpty() ? QString() : tr("%1 is not among the ports present.").arg(name));
    // A name longer than its place is shortened in the middle, where by-id names differ
    // least; the tool tip holds it whole.
    const QString shown =
        elidedLines(details, m_details->fontMetrics(), m_details->contentsRect().width());
    m_details->setText(shown);
    m_details->setToolTip(shown == details ? QString() : details);
    const bool nameFits = m_ports->lineEdit()->fontMetrics().horizontalAdvance(name) <
                          m_ports->lineEdit()->contentsRect().width();
    m_ports->setToolTip(nameFits ? QString() : name);
}

QString elidedLines(const QString &text, const QFontMetrics &metrics, int width) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = metrics.elidedText(line, Qt::ElideMiddle, width);
    return lines.join(QLatin1Char('\n'));
}

} // namespace tessel
