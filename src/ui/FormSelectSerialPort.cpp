#include "ui/FormSelectSerialPort.h"

#include "link/PortFacts.h"
#include "link/PortSetting.h"
#include "ui/FormControls.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace tessel {

FormSelectSerialPort::FormSelectSerialPort(const QStringList &ports, QWidget *parent)
    : QDialog(parent), m_ports(new QComboBox(this)) {
    setObjectName(QStringLiteral("FormSelectSerialPort"));
    setWindowTitle(QStringLiteral("Select Com Port"));
    setFixedSize(px(3210), px(1365) + 8);
    auto *label = new QLabel(QStringLiteral("Com Port"), this);
    label->setObjectName(QStringLiteral("Label2"));
    label->setGeometry(twipRect(240, 240, 1335, 315));
    label->setBuddy(m_ports);
    m_ports->setObjectName(QStringLiteral("cmbPorts"));
    m_ports->setEditable(true);
    m_ports->setGeometry(twipRect(1200, 240, 1815, 315));
    m_ports->setAccessibleName(QStringLiteral("Com Port"));
    m_ports->addItems(ports);
    m_ports->setEditText(
        PortSetting().remembered().value_or(QString::fromLatin1(kDefaultPortName)));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twipRect(1080, 840, 1095, 315));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &FormSelectSerialPort::cmdOK_Click);
}

QString FormSelectSerialPort::portName() const {
    return m_ports->currentText().trimmed();
}

void FormSelectSerialPort::cmdOK_Click() {
    m_settingError = PortSetting().remember(m_ports->currentText());
    accept();
}

} // namespace tessel
