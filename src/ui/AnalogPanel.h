#pragma once

#include "core/LimitCheck.h"
#include "ui/FormControls.h"

#include <QFrame>
#include <QProgressBar>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tessel {

class EepromImage;

// The level meter of one analog input. Pressing it (or Space or Enter while it has the focus)
// asks for a reading of its input.
class LevelMeter : public QProgressBar {
    Q_OBJECT
public:
    explicit LevelMeter(QWidget *parent = nullptr);

Q_SIGNALS:
    void pressed();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

// The Threshold window's analog panel (Frame6): the limit type and the two limits of each of
// the 16 analog inputs, and the meters of the input monitor. The limit labels are the working
// copy of the limits while the panel is open; every pointer movement over the panel's
// background (or the end of typing from the keyboard) copies them into the image and checks
// them. The panel never talks to the module; AnalogMonitor does the readings.
class AnalogPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLimitBoxes = 2 * kAnalogRows;

    AnalogPanel(EepromImage &image, QWidget *parent);

    void LimitMap_Click();
    void C9_Click(int index);
    void C9_Change(int index);
    void C10_Click(int index);
    void Frame8_MouseMove();
    void Command3_Click();

    // Shows the image: input numbers, "???" for the values, the limits, then the limit types
    // (each type whose caption changes runs C9_Change).
    void showInputRows();
    void showLimitTypes();

    // The caption of C9(input); what the help of C9 and ML depends on.
    [[nodiscard]] QString limitTypeCaption(int input) const;

    // A level read from input `input`; anything that is not a byte leaves the meter and the
    // value label as they were.
    void showLevel(int input, int level);

    [[nodiscard]] QPushButton *readAllButton() const { return m_readAllAD; }
    [[nodiscard]] QCheckBox *loopReadBox() const { return m_loopRead; }
    [[nodiscard]] LevelMeter *meter(int input) const { return m_adBar.at(input); }

Q_SIGNALS:
    void helpTextChosen(const QString &text);
    // The result of every limit check, valid or not.
    void limitsChecked(const tessel::LimitCheckResult &result);
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildRow(int i);
    void buildMonitorControls();
    void showSecondLimit(int input);
    [[nodiscard]] int limitType(int input) const;
    void finishTyping(int box);
    void typingBoxLeft(int box);
    void showCheckResult(const LimitCheckResult &result);

    EepromImage &m_image;
    QFrame *m_frame8;
    CaptionLabel *m_label7;
    QPushButton *m_command3;
    std::array<CaptionLabel *, kAnalogRows> m_c8{};
    std::array<CaptionLabel *, kAnalogRows> m_c9{};
    std::array<CaptionLabel *, kLimitBoxes> m_c10{};
    std::array<QLineEdit *, kLimitBoxes> m_ml{};
    QPushButton *m_readAllAD = nullptr;
    QCheckBox *m_loopRead = nullptr;
    std::array<LevelMeter *, kAnalogRows> m_adBar{};
    std::array<CaptionLabel *, kAnalogRows> m_ad{};
    bool m_committing = false;
};

} // namespace tessel
