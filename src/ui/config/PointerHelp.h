// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/HelpTexts.h"

#include <QObject>

class QPlainTextEdit;
class QWidget;

namespace tessel {

class WindowVariant;

// Help that follows the pointer. The help box below the device table shows the text of the
// control under the pointer, of the control something is dragged over, and of where it is
// dropped; some of these texts, and the pointer over the window's bare background, also end
// the in-place editing of a row's serial.
class PointerHelp : public QObject {
    Q_OBJECT
public:
    // Creates the help box on `footer`, the band under the form; the controls of both are watched.
    PointerHelp(const WindowVariant &variant, QWidget *window, QWidget *footer);

    // Follows the pointer over the window and every control it holds now; call once all
    // controls exist.
    void watchControls();
    void showText(const QString &text);

Q_SIGNALS:
    void editingEnds();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pointerOverControl(QWidget *control, QEvent *event);
    void applyHelp(const HelpEntry &entry);

    const WindowVariant &m_variant;
    QWidget &m_window;
    QWidget &m_footer;
    QPlainTextEdit *m_help;
};

} // namespace tessel
