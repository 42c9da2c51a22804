// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/MemoryMap.h"
#include "ui/widgets/FormControls.h"

#include <QObject>
#include <array>
#include <tuple>
#include <utility>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace tessel {

struct TimingBandLook;
struct WindowLook;

// The bands above the device table: the base serial, the device count, the two timing
// settings (debounce and refresh), the operational modes, the mapping mode and the button that
// opens the advanced area. Like the table, their controls are children of the window; each handler
// writes its entry of the image at once.
//
// The mode byte is kept as the four values the module adds up (m_commModeValue, m_liteValue,
// m_remapValue, m_forceDelayValue); whether the advanced area is open is kept here too, so that
// neither is read back from a control.
class SettingsBands : public QObject {
    Q_OBJECT
public:
    SettingsBands(EepromImage &image, const WindowLook &look, QWidget *window);

    // Each shows its settings as the image holds them.
    void showBaseSerial();
    void showDeviceCount();
    void showTimings();
    void showModes();

    void setBaseSerialText(const QString &text);
    // A new load starts from the first mode, without the lite and remapping values.
    void resetModeValues();
    [[nodiscard]] int modeByte() const;
    // The capture speed's band, where the Threshold window shows the reaction time.
    [[nodiscard]] QWidget *debounceBand() const;

Q_SIGNALS:
    // The bands' fields that their checks reject now (the base serial), as the operator knows
    // them; empty when every one holds.
    void fieldsChecked(const QStringList &invalid);
    void deviceCountChanged(int lastRow);
    void rowSerialEntered(int row, const QString &serial);
    void mappingModeChosen(bool calculated);
    void advancedShown(bool shown);
    void debounceChanged(int value);

private:
    void buildSerialBand();
    void buildCountBand();
    void buildModeBands();
    // A timing band's frame and its scroll bar.
    // The band, its bar and the label that shows the bar's value (settingValue_<value>).
    std::tuple<QGroupBox *, QScrollBar *, CaptionLabel *>
    buildTimingBand(const QString &frame, int left, const TimingBandLook &look,
                    const QString &label, const QString &bar, int value);
    void connectHandlers();

    void baseSerialEdited();
    void restoreDefaultSerial();
    void broadcastToAll();
    void deviceCountMoved();
    void commModeChosen();
    void liteCommandsToggled();
    void forceDelayToggled();
    void debounceMoved();
    void refreshMoved();
    void toggleAdvancedArea();
    void mappingOptionChosen();

    EepromImage &m_image;
    const MemoryLayout &m_layout;
    QWidget *m_window;

    QGroupBox *m_serialBand, *m_countBand, *m_debounceBand, *m_refreshBand, *m_modesBand,
        *m_mappingBand;
    QLineEdit *m_baseSerial;
    QPushButton *m_restoreDefaultSerial, *m_broadcastToAll;
    QScrollBar *m_deviceCount, *m_debounce, *m_refresh;
    // The numbers beside the count, debounce and refresh bars.
    CaptionLabel *m_countValue = nullptr, *m_debounceValue = nullptr, *m_refreshValue = nullptr;
    std::array<QRadioButton *, 3> m_commModes{};
    QCheckBox *m_liteCommands, *m_forceDelay;
    QPushButton *m_advancedFeatures;
    std::array<QRadioButton *, 2> m_mappingModes{};
    bool m_advancedOpen = false;

    int m_commModeValue = 0;
    int m_liteValue = 0;
    int m_remapValue = 0;
    int m_forceDelayValue = 0;
};

} // namespace tessel
