#pragma once

#include "core/MemoryMap.h"
#include "ui/FormControls.h"

#include <QObject>
#include <array>
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

// The bands above the device table: the base serial (Frame1), the device count (Frame2),
// the two timing settings (Frame3, Frame4), the operational modes (Frame5), the mapping
// mode (Frame7) and the button that opens the advanced area. Like the table, their controls
// are children of the window; each handler writes its entry of the image at once.
//
// The mode byte is kept as the four values the module adds up (CommModeValue, LiteValue,
// RemapValue, ForceDelayValue); whether the advanced area is open is kept here too, so that
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
    std::pair<QGroupBox *, QScrollBar *> buildTimingBand(const QString &frame, int left,
                                                         const TimingBandLook &look,
                                                         const QString &label, const QString &bar,
                                                         int dat);
    void connectHandlers();

    void SN_Change();
    void Default_SN_Click();
    void Broadcast_Click();
    void HScroll1_Change();
    void Configuration_Click();
    void Velqa_Click();
    void ForceDelay_Click();
    void Debounce_Change();
    void Refreshing_Change();
    void Advanced_Click();
    void USEMAP_Click();

    EepromImage &m_image;
    const MemoryLayout &m_layout;
    QWidget *m_window;

    QGroupBox *m_frame1, *m_frame2, *m_frame3, *m_frame4, *m_frame5, *m_frame7;
    QLineEdit *m_sn;
    QPushButton *m_defaultSn, *m_broadcast;
    QScrollBar *m_hScroll1, *m_debounce, *m_refreshing;
    std::array<CaptionLabel *, 3> m_dat{};
    std::array<QRadioButton *, 3> m_configuration{};
    QCheckBox *m_velqa, *m_forceDelay;
    QPushButton *m_advanced;
    std::array<QRadioButton *, 2> m_useMap{};
    bool m_advancedOpen = false;

    int CommModeValue = 0;
    int LiteValue = 0;
    int RemapValue = 0;
    int ForceDelayValue = 0;
};

} // namespace tessel
