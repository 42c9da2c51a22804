#pragma once

#include "ui/ConfigWindow.h"

namespace tessel {

class AnalogMonitor;
class AnalogPanel;

// The Threshold module's window: the Tessel window's twin with a 48-bit base serial, 4-digit
// row serials, capture speed and reaction interval in place of debounce and refresh, and
// analog inputs with limits instead of relay functions.
class ThresholdWindow : public ConfigWindow {
    Q_OBJECT
public:
    explicit ThresholdWindow(ModuleProtocol &protocol, WindowHost &host, QWidget *parent = nullptr);

protected:
    void syncRowFunctions() override;
    void C5_Click(int index) override;
    void onCaptureSpeedChanged(int value) override;
    bool prepareTransfer(const std::function<void()> &transfer) override;
    [[nodiscard]] QString helpState(const QString &control, int index) const override;

private:
    CaptionLabel *m_react;
    QPushButton *m_limitMap;
    AnalogPanel *m_panel;
    AnalogMonitor *m_monitor;
};

} // namespace tessel
