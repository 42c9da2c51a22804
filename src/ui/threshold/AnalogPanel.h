// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/LimitCheck.h"
#include "ui/threshold/LevelMeter.h"
#include "ui/widgets/FormControls.h"

#include <QFrame>
#include <QProgressBar>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tessel {

class EepromImage;

// The Threshold window's analog panel ("Set Limits of Inputs"): the limit type and the two limits
// of each of the 16 analog inputs, and the meters of the input monitor. The limit labels are the
// working copy of the limits while the panel is open; every pointer movement over the panel's
// background (or the end of typing from the keyboard) copies them into the image and checks
// them. The panel never talks to the module; AnalogMonitor does the readings.
class AnalogPanel : public QFrame {
    Q_OBJECT
public:
    static constexpr int kLimitBoxes = 2 * kAnalogRows;

    AnalogPanel(EepromImage &image, QWidget *parent);

    void openLimits();
    void stepLimitType(int index);
    void limitTypeShown(int index);
    void editLimit(int index);
    void commitLimits();
    void closeLimits();

    // Shows the image: input numbers and the limits, then the limit types (each type whose
    // caption changes runs limitTypeShown).
    void showInputRows();
    // "???" for every level: those shown were another reading's, perhaps of another module.
    void forgetLevels();
    void showLimitTypes();

    // The caption of the input's limit type; what the help of its type and limit boxes
    // depends on.
    [[nodiscard]] QString limitTypeCaption(int input) const;

    // A level read from input `input`; anything that is not a byte leaves the meter and the
    // value label as they were.
    void showLevel(int input, int level);
    // Puts every meter's limit marks where the image's limits now are.
    void showLimitMarks();

    [[nodiscard]] QPushButton *readAllButton() const { return m_readAll; }
    [[nodiscard]] QCheckBox *loopReadBox() const { return m_loopRead; }
    [[nodiscard]] QPushButton *trendButton() const { return m_trend; }
    [[nodiscard]] LevelMeter *meter(int input) const { return m_meters.at(input); }

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
    QFrame *m_limitsArea;
    CaptionLabel *m_limitMessage;
    QPushButton *m_done;
    std::array<CaptionLabel *, kAnalogRows> m_inputNumbers{};
    std::array<CaptionLabel *, kAnalogRows> m_limitTypes{};
    std::array<CaptionLabel *, kLimitBoxes> m_limits{};
    std::array<QLineEdit *, kLimitBoxes> m_limitEditors{};
    QPushButton *m_readAll = nullptr;
    QCheckBox *m_loopRead = nullptr;
    QPushButton *m_trend = nullptr;
    std::array<LevelMeter *, kAnalogRows> m_meters{};
    std::array<CaptionLabel *, kAnalogRows> m_levels{};
    bool m_committing = false;
};

} // namespace tessel
