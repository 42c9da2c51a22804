#include "ui/ThresholdWindow.h"

#include "core/HelpTexts.h"
#include "core/LimitCheck.h"
#include "ui/AnalogMonitor.h"
#include "ui/AnalogPanel.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace tessel {

namespace {
const QString kLimiterFunctions = QStringLiteral("Relay Limiter Functions");
}

ThresholdWindow::ThresholdWindow(ModuleProtocol &protocol, WindowHost &host, QWidget *parent)
    : ConfigWindow(ModuleKind::Threshold, protocol, host, parent) {
    setWindowTitle(QStringLiteral("ZigBee Threshold Sensor Monitoring"));
    m_sn->setText(QStringLiteral("0013A200:4032"));
    m_functionHeader->setText(QStringLiteral("Limits:"));

    m_frame3->setTitle(QStringLiteral("Step 3: Capture Speed (Lower is Faster)"));
    m_frame3->setGeometry(twipRect(120, 1080, 4815, 975));
    m_label1->setText(QStringLiteral("Speed:"));
    m_debounce->setAccessibleName(QStringLiteral("Capture speed"));
    m_react = new CaptionLabel({}, m_frame3);
    m_react->setObjectName(QStringLiteral("REACT"));
    m_react->setGeometry(twipRect(240, 630, 4335, 285));

    m_frame4->setTitle(
        QStringLiteral("Step 4: Reaction Interval (Lower is Faster, Value in Seconds)"));
    m_frame4->setGeometry(twipRect(4920, 1080, 4815, 975));
    m_label3->setText(QStringLiteral("Seconds:"));
    m_refreshing->setAccessibleName(QStringLiteral("Reaction interval in seconds"));

    m_limitMap = new QPushButton(QStringLiteral("Set Limits of Inputs"), this);
    m_limitMap->setObjectName(QStringLiteral("LimitMap"));
    m_limitMap->setGeometry(twipRect(8160, 2070, 2520, 315));
    m_limitMap->setAutoDefault(false);
    setBackground(m_limitMap, colours::kLightYellow);

    for (DeviceRow &row : m_rows) {
        row.SNTB->setMaxLength(4);
        row.C5->setCaption(QStringLiteral("??"));
    }

    m_panel = new AnalogPanel(m_image, this);
    m_monitor = new AnalogMonitor(m_protocol, *m_panel, this);
    connect(m_limitMap, &QPushButton::clicked, m_panel, &AnalogPanel::LimitMap_Click);
    connect(m_panel, &AnalogPanel::helpTextChosen, this, &ThresholdWindow::setHelpText);
    connect(m_panel, &AnalogPanel::storeAllowed, this, &ThresholdWindow::setStoreVisible);
    connect(m_panel, &AnalogPanel::closed, this, [this] { m_limitMap->setFocus(); });
    installPointerHelp();
}

void ThresholdWindow::syncRowFunctions() {
    m_panel->showInputRows();
    for (int r = 0; r < map::kAnalogInputs; ++r) {
        if (m_image.value(map::limitTypeAddress(r)) > map::kMaxLimitType)
            m_image.setValue(map::limitTypeAddress(r), map::kMaxLimitType);
        m_rows[r].C5->setCaption(kLimiterFunctions);
    }
    m_panel->showLimitTypes();
}

void ThresholdWindow::C5_Click(int index) {
    m_rows[index].C5->setCaption(kLimiterFunctions);
}

void ThresholdWindow::onCaptureSpeedChanged(int value) {
    m_react->setCaption(reactionText(value));
}

bool ThresholdWindow::prepareTransfer(const std::function<void()> &transfer) {
    return m_monitor->prepareTransfer(transfer);
}

QString ThresholdWindow::helpState(const QString &control, int index) const {
    // The help of a limit type label and of a limit box follows the type the row shows.
    if (control == QLatin1String("C9"))
        return m_panel->limitTypeCaption(index);
    if (control == QLatin1String("ML"))
        return m_panel->limitTypeCaption(analogInputOfLimitBox(index));
    return {};
}

} // namespace tessel
