// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/ThresholdVariant.h"

#include "core/HelpTexts.h"
#include "core/LimitCheck.h"
#include "core/MemoryMap.h"
#include "core/SettingsCheck.h"
#include "ui/config/DeviceTable.h"
#include "ui/config/SettingsBands.h"
#include "ui/threshold/AnalogMonitor.h"
#include "ui/threshold/AnalogPanel.h"
#include "ui/threshold/LevelTools.h"

#include <QPushButton>

namespace tessel {

namespace {

QString limiterFunctions() {
    return WindowVariant::tr("Relay Limiter Functions");
}
// A Threshold module takes at most 16 inputs: stepping stops at the 16-channel type.
constexpr int kMaxStepType = 5;

WindowLook thresholdLook() {
    return {.kind = ModuleKind::Threshold,
            .objectName = QStringLiteral("thresholdWindow"),
            .title = WindowVariant::tr("ZigBee Threshold Sensor Monitoring"),
            .initialBaseSerial = QStringLiteral("0013A200:4032"),
            .functionHeader = WindowVariant::tr("Limits:"),
            .initialFunctionCaption = QStringLiteral("??"),
            .rowSerialMaxLength = 4,
            .maxStepType = kMaxStepType,
            .debounceBand = {WindowVariant::tr("Step 3: Capture Speed (Lower is Faster)"), 1080,
                             975, WindowVariant::tr("Speed:"), WindowVariant::tr("Capture speed")},
            .refreshBand = {
                WindowVariant::tr("Step 4: Reaction Interval (Lower is Faster, Value in Seconds)"),
                1080, 975, WindowVariant::tr("Seconds:"),
                WindowVariant::tr("Reaction interval in seconds")}};
}

// The Threshold window: a 48-bit base serial and 4-digit row serials, capture speed and
// reaction interval in place of debounce and refresh, and analog inputs with limits instead
// of relay functions. Its input monitor's readings are jobs of the session like the transfers,
// so a transfer asked for during a loop of them follows the loop's last pass.
class ThresholdVariant final : public WindowVariant {
public:
    ThresholdVariant() : WindowVariant(thresholdLook()) {}

    void addControls(const WindowParts &parts) override {
        m_image = &parts.image;
        m_table = &parts.table;
        m_reactionTime = new CaptionLabel({}, parts.bands.debounceBand());
        m_reactionTime->setObjectName(QStringLiteral("reactionTime"));
        m_reactionTime->setGeometry(twipRect(240, 630, 4335, 285));
        connect(&parts.bands, &SettingsBands::debounceChanged, m_reactionTime,
                [this](int speed) { m_reactionTime->setCaption(reactionText(speed)); });

        m_setLimits = new QPushButton(WindowVariant::tr("Set Limits of Inputs"), &parts.window);
        m_setLimits->setObjectName(QStringLiteral("setLimits"));
        m_setLimits->setGeometry(twipRect(8160, 2070, 2520, 315));
        m_setLimits->setAutoDefault(false);
        setBackground(m_setLimits, colours::kLightYellow);

        m_panel = new AnalogPanel(parts.image, &parts.window);
        m_monitor = new AnalogMonitor(parts.session, *m_panel, this);
        connect(m_setLimits, &QPushButton::clicked, m_panel, &AnalogPanel::openLimits);
        connect(m_panel, &AnalogPanel::helpTextChosen, this, &WindowVariant::helpTextChosen);
        connect(m_panel, &AnalogPanel::limitsChecked, this, [this](const LimitCheckResult &result) {
            Q_EMIT fieldsChecked(rejectedLimits(result));
        });
        connect(m_panel, &AnalogPanel::closed, m_setLimits, [this] { m_setLimits->setFocus(); });

        m_tools = new LevelTools(parts.image, parts.host, parts.window);
        connect(m_monitor, &AnalogMonitor::passTaken, m_tools, &LevelTools::take);
        connect(m_panel->trendButton(), &QPushButton::clicked, m_tools, &LevelTools::showTrend);
        connect(m_tools, &LevelTools::statusNote, this, &WindowVariant::statusNote);
        connect(m_tools, &LevelTools::editWanted, this,
                [this](const EepromImage &settings, const QString &what) {
                    Q_EMIT editWanted(settings, what);
                    // Checked as a typed limit is: a pair too close is marked and not stored.
                    m_panel->commitLimits();
                });
    }

    [[nodiscard]] QList<QAction *> fileActions() const override {
        return {m_tools->recordAction()};
    }
    [[nodiscard]] QList<QAction *> moduleActions() const override {
        return {m_tools->trendAction()};
    }

    void useSession(SessionClient &session) override { m_monitor->useSession(session); }

    void showRowFunctions() override {
        m_panel->showInputRows();
        for (int r = 0; r < map::kAnalogInputs; ++r) {
            if (m_image->value(map::limitTypeAddress(r)) > map::kMaxLimitType)
                m_image->setValue(map::limitTypeAddress(r), map::kMaxLimitType);
            m_table->showFunction(r, limiterFunctions());
        }
        m_panel->showLimitTypes();
    }

    void moduleRead() override {
        m_monitor->forgetHeldBack();
        m_panel->forgetLevels();
    }

    void functionCellClicked(int index) override {
        m_table->showFunction(index, limiterFunctions());
    }

    [[nodiscard]] QString helpState(const QString &control, int index) const override {
        // The help of a limit type label and of a limit box follows the type the row shows.
        if (control == QLatin1String("limitType"))
            return m_panel->limitTypeCaption(index);
        if (control == QLatin1String("limitEditor"))
            return m_panel->limitTypeCaption(analogInputOfLimitBox(index));
        return {};
    }

private:
    EepromImage *m_image = nullptr;
    DeviceTable *m_table = nullptr;
    CaptionLabel *m_reactionTime = nullptr;
    QPushButton *m_setLimits = nullptr;
    AnalogPanel *m_panel = nullptr;
    AnalogMonitor *m_monitor = nullptr;
    LevelTools *m_tools = nullptr;
};

} // namespace

std::unique_ptr<WindowVariant> makeThresholdVariant() {
    return std::make_unique<ThresholdVariant>();
}

} // namespace tessel
