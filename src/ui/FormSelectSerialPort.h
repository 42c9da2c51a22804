#pragma once

#include <QDialog>

class QComboBox;

namespace tessel {

// The port chooser shown at every start. It lists the ports present, pre-selects the one
// remembered in the setting file, and remembers the choice when OK is pressed.
class FormSelectSerialPort : public QDialog {
    Q_OBJECT
public:
    explicit FormSelectSerialPort(const QStringList &ports, QWidget *parent = nullptr);

    [[nodiscard]] QString portName() const;
    // Why the choice could not be remembered; empty when it was written (or OK not pressed).
    [[nodiscard]] QString settingError() const { return m_settingError; }

private:
    void cmdOK_Click();

    QComboBox *m_ports;
    QString m_settingError;
};

} // namespace tessel
