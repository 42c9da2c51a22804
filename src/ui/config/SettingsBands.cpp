// SPDX-License-Identifier: Apache-2.0
#include "ui/config/SettingsBands.h"

#include "ui/config/SerialText.h"
#include "ui/config/WindowVariant.h"
#include "ui/widgets/SettingBar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace tessel {

namespace {

// The advanced area's button, as it reads with the area closed and open.
QString advancedCaption(bool open) {
    return open ? SettingsBands::tr("<----- HIDE") : SettingsBands::tr("Advanced Features ----->");
}

QGroupBox *makeFrame(const QString &name, const QString &title, QRect geometry, QWidget *window) {
    auto *frame = new QGroupBox(title, window);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    return frame;
}

// One exclusive group of option buttons stacked in a frame, the first one selected as the
// window opens (before any handler is connected, so selecting it runs nothing).
template <std::size_t N>
std::array<QRadioButton *, N> makeOptionGroup(const QString &array,
                                              const std::array<QString, N> &captions,
                                              int widthTwips, QWidget *frame) {
    auto *group = new QButtonGroup(frame);
    std::array<QRadioButton *, N> options{};
    for (std::size_t i = 0; i < N; ++i) {
        auto *option = new QRadioButton(captions[i], frame);
        option->setObjectName(elementName(array, static_cast<int>(i)));
        option->setGeometry(twipRect(120, 300 + 300 * static_cast<int>(i), widthTwips, 270));
        group->addButton(option, static_cast<int>(i));
        options[i] = option;
    }
    options.front()->setChecked(true);
    return options;
}

} // namespace

SettingsBands::SettingsBands(EepromImage &image, const WindowLook &look, QWidget *window)
    : QObject(window), m_image(image), m_layout(layoutOf(look.kind)), m_window(window) {
    buildSerialBand();
    buildCountBand();
    buildModeBands();
    // Steps 3 and 4: a caption, a 0..255 scroll bar and its value.
    std::tie(m_debounceBand, m_debounce, m_debounceValue) =
        buildTimingBand(QStringLiteral("debounceBand"), 120, look.debounceBand,
                        QStringLiteral("debounceCaption"), QStringLiteral("debounce"), 1);
    std::tie(m_refreshBand, m_refresh, m_refreshValue) =
        buildTimingBand(QStringLiteral("refreshBand"), 4920, look.refreshBand,
                        QStringLiteral("refreshCaption"), QStringLiteral("refresh"), 2);
    for (CaptionLabel *shown : {m_countValue, m_debounceValue, m_refreshValue}) {
        shown->setAlignment(Qt::AlignCenter);
        shown->setAcceptDrops(true);
    }
    m_serialBand->setAcceptDrops(true);
    m_countBand->setAcceptDrops(true);
    connectHandlers();
}

// ---------------------------------------------------------------- layout

void SettingsBands::buildSerialBand() {
    m_serialBand = makeFrame(QStringLiteral("baseSerialBand"), tr("Step 1: Base Serial Number"),
                             twipRect(120, 120, 3735, 975), m_window);
    m_baseSerial = new QLineEdit(m_serialBand);
    takeUpperCase(m_baseSerial);
    m_baseSerial->setObjectName(QStringLiteral("baseSerial"));
    m_baseSerial->setAccessibleName(tr("Base serial number"));
    QFont serialFont = m_baseSerial->font();
    serialFont.setPointSize(12);
    m_baseSerial->setFont(serialFont);
    m_baseSerial->setGeometry(twipRect(120, 300, 2040, 420));
    m_restoreDefaultSerial =
        makeButton(QStringLiteral("restoreDefaultSerial"), tr("Restore Default"), m_serialBand);
    m_restoreDefaultSerial->setGeometry(twipRect(2220, 240, 1395, 315));
    m_broadcastToAll =
        makeButton(QStringLiteral("broadcastToAll"), tr("Broadcast to All"), m_serialBand);
    m_broadcastToAll->setGeometry(twipRect(2220, 570, 1395, 315));
}

void SettingsBands::buildCountBand() {
    m_countBand =
        makeFrame(QStringLiteral("deviceCountBand"),
                  tr("Step 2:  How Many Different Relay Controllers will this Tessel Talk To?"),
                  twipRect(3960, 120, 5775, 975), m_window);
    m_deviceCount =
        new SettingBar(QStringLiteral("deviceCount"), m_layout.initialMaxDevice, m_countBand);
    m_deviceCount->setAccessibleName(tr("Device count"));
    m_deviceCount->setGeometry(twipRect(240, 420, 4560, 300));
    m_countValue = makeLabel(QStringLiteral("settingValue_0"), QStringLiteral("???"), m_countBand);
    m_countValue->setGeometry(twipRect(4920, 420, 720, 300));
}

void SettingsBands::buildModeBands() {
    m_modesBand = makeFrame(QStringLiteral("modesBand"), tr("Operational Modes:"),
                            twipRect(9840, 120, 2940, 975), m_window);
    m_commModes = makeOptionGroup<3>(QStringLiteral("commMode"),
                                     {tr("2-Way Communication"), tr("2-Way QM Port Confirmation"),
                                      tr("1-Way Communication (faster)")},
                                     2760, m_modesBand);
    m_liteCommands = new QCheckBox(tr("Process Velqa Lite Commands"), m_modesBand);
    m_liteCommands->setObjectName(QStringLiteral("liteCommands"));
    m_forceDelay = new QCheckBox(tr("Force Velqa Delay (compatibility)"), m_modesBand);
    m_forceDelay->setObjectName(QStringLiteral("forceDelay"));
    // The firmware's third mode and its two compatibility flags are carried, never offered.
    for (QWidget *hidden :
         {static_cast<QWidget *>(m_commModes[2]), static_cast<QWidget *>(m_liteCommands),
          static_cast<QWidget *>(m_forceDelay)}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }

    m_advancedFeatures =
        makeButton(QStringLiteral("advancedFeatures"), advancedCaption(false), m_window);
    m_advancedFeatures->setGeometry(twipRect(9840, 1200, 2940, 375));

    m_mappingBand = makeFrame(QStringLiteral("mappingModeBand"), tr("Mapping Byte:"),
                              twipRect(12960, 120, 3240, 975), m_window);
    m_mappingModes = makeOptionGroup<2>(
        QStringLiteral("mappingMode"),
        {tr("Use Calculated Mapping Bytes"), tr("Remap to Custom Settings")}, 3000, m_mappingBand);
}

std::tuple<QGroupBox *, QScrollBar *, CaptionLabel *>
SettingsBands::buildTimingBand(const QString &frame, int left, const TimingBandLook &look,
                               const QString &label, const QString &bar, int value) {
    QGroupBox *band = makeFrame(frame, look.title,
                                twipRect(left, look.topTwips, 4815, look.heightTwips), m_window);
    CaptionLabel *caption = makeLabel(label, look.caption, band);
    caption->setGeometry(twipRect(120, 360, 1080, 300));
    auto *scroll = new SettingBar(bar, 255, band);
    scroll->setAccessibleName(look.accessibleName);
    scroll->setGeometry(twipRect(1200, 360, 2760, 300));
    CaptionLabel *shown =
        makeLabel(elementName(QStringLiteral("settingValue"), value), QStringLiteral("???"), band);
    shown->setGeometry(twipRect(4080, 360, 600, 300));
    return {band, scroll, shown};
}

void SettingsBands::connectHandlers() {
    connect(m_baseSerial, &QLineEdit::textChanged, this, &SettingsBands::baseSerialEdited);
    connect(m_restoreDefaultSerial, &QPushButton::clicked, this,
            &SettingsBands::restoreDefaultSerial);
    connect(m_broadcastToAll, &QPushButton::clicked, this, &SettingsBands::broadcastToAll);
    connect(m_deviceCount, &QScrollBar::valueChanged, this, &SettingsBands::deviceCountMoved);
    connect(m_debounce, &QScrollBar::valueChanged, this, &SettingsBands::debounceMoved);
    connect(m_refresh, &QScrollBar::valueChanged, this, &SettingsBands::refreshMoved);
    for (QRadioButton *option : m_commModes) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                commModeChosen();
        });
    }
    connect(m_liteCommands, &QCheckBox::toggled, this, &SettingsBands::liteCommandsToggled);
    connect(m_forceDelay, &QCheckBox::toggled, this, &SettingsBands::forceDelayToggled);
    connect(m_advancedFeatures, &QPushButton::clicked, this, &SettingsBands::toggleAdvancedArea);
    for (QRadioButton *option : m_mappingModes) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                mappingOptionChosen();
        });
    }
}

QWidget *SettingsBands::debounceBand() const {
    return m_debounceBand;
}

// ---------------------------------------------------------------- showing the image

void SettingsBands::showBaseSerial() {
    m_baseSerial->setText(baseSerialText(m_image, m_layout));
}

void SettingsBands::setBaseSerialText(const QString &text) {
    m_baseSerial->setText(text);
}

void SettingsBands::showDeviceCount() {
    // An image with custom mapping bytes keeps them: the rows the new count shows recalculate
    // the bytes before the mapping mode further down has been selected.
    if (m_image.value(map::kLastDeviceIndex) > map::kMaxLastDeviceIndex)
        m_image.setValue(map::kLastDeviceIndex, map::kMaxLastDeviceIndex);
    const int lastDevice = std::max(0, m_image.value(map::kLastDeviceIndex));
    const bool customMapping = m_image.bit(map::kModeByte, 3);
    std::array<int, map::kRowCount> mappingBytes{};
    for (int r = 0; r < map::kRowCount; ++r)
        mappingBytes[r] = m_image.value(map::mappingAddress(r));
    // A count the control's range cannot show (after "Broadcast to All", or a Threshold
    // module serving more than 16 devices) reopens the range rather than being lost.
    if (lastDevice > m_deviceCount->maximum())
        m_deviceCount->setMaximum(map::kMaxLastDeviceIndex);
    m_deviceCount->setValue(lastDevice);
    m_image.setValue(map::kLastDeviceIndex, lastDevice);
    m_countValue->setCaption(QString::number(lastDevice + 1));
    if (customMapping) {
        for (int r = 0; r < map::kRowCount; ++r)
            m_image.setValue(map::mappingAddress(r), mappingBytes[r]);
    }
}

void SettingsBands::showTimings() {
    const int debounce = m_image.value(map::kDebounce);
    m_debounce->setValue(debounce);
    m_debounceValue->setCaption(QString::number(debounce));
    const int refresh = m_image.value(map::kRefresh);
    m_refresh->setValue(refresh);
    m_refreshValue->setCaption(QString::number(refresh));
}

void SettingsBands::showModes() {
    const int mode = m_image.value(map::kModeByte);
    if ((mode & map::kCommModeMask) < 3)
        m_commModes[mode & map::kCommModeMask]->setChecked(true);
    m_mappingModes[(mode & map::kRemapValue) ? 1 : 0]->setChecked(true);
    // After the mode: choosing a mode touches the check boxes, the image decides them.
    m_liteCommands->setChecked(mode & map::kLiteValue);
    m_forceDelay->setChecked(mode & map::kForceDelayValue);
}

// ---------------------------------------------------------------- serial numbers

void SettingsBands::baseSerialEdited() {
    const auto bytes =
        parseSerial(m_baseSerial->text(), m_layout.baseSerialBytes, m_layout.baseSerialBytes > 4);
    if (bytes) {
        setBackground(m_baseSerial, colours::windowBackground());
    } else {
        markInvalid(m_baseSerial, tr("The base serial is not %1 hexadecimal digits (0 to 9, "
                                     "A to F); the one shown before is kept until it is.")
                                      .arg(2 * m_layout.baseSerialBytes));
    }
    if (bytes) {
        for (int a = 0; a < m_layout.baseSerialBytes; ++a)
            m_image.setValue(a, (*bytes)[a]);
    }
    Q_EMIT fieldsChecked(bytes ? QStringList{} : QStringList{tr("base serial number")});
}

void SettingsBands::restoreDefaultSerial() {
    m_baseSerial->setText(m_layout.baseSerialBytes > 4 ? QStringLiteral("0013A200:4032")
                                                       : QStringLiteral("0013A200"));
    m_deviceCount->setRange(0, map::kMaxLastDeviceIndex);
}

void SettingsBands::broadcastToAll() {
    // The 64-bit broadcast address 000000000000FFFF: a base serial of zeros and a row-1
    // serial ending in FFFF, in each window's own serial lengths.
    m_baseSerial->setText(m_layout.baseSerialBytes > 4 ? QStringLiteral("00000000:0000")
                                                       : QStringLiteral("00000000"));
    Q_EMIT rowSerialEntered(0, QString(2 * m_layout.rowSerialBytes - 4, QLatin1Char('0')) +
                                   QStringLiteral("FFFF"));
    m_deviceCount->setValue(0);
    m_deviceCount->setRange(0, 0);
}

// ---------------------------------------------------------------- count, timings, modes

void SettingsBands::deviceCountMoved() {
    const int n = m_deviceCount->value();
    m_countValue->setCaption(QString::number(n + 1));
    m_image.setValue(map::kLastDeviceIndex, n);
    Q_EMIT deviceCountChanged(n);
}

void SettingsBands::debounceMoved() {
    const int value = m_debounce->value();
    m_debounceValue->setCaption(QString::number(value));
    m_image.setValue(map::kDebounce, value);
    Q_EMIT debounceChanged(value);
}

void SettingsBands::refreshMoved() {
    const int value = m_refresh->value();
    m_refreshValue->setCaption(QString::number(value));
    m_image.setValue(map::kRefresh, value);
}

void SettingsBands::commModeChosen() {
    if (m_commModes[0]->isChecked()) {
        m_liteCommands->setChecked(false);
        m_liteCommands->setEnabled(false);
        m_commModeValue = 0;
    }
    if (m_commModes[1]->isChecked())
        m_commModeValue = 1;
    if (m_commModes[2]->isChecked()) {
        m_forceDelay->setChecked(true);
        m_commModeValue = 2;
        m_forceDelayValue = map::kForceDelayValue;
    }
}

void SettingsBands::liteCommandsToggled() {
    m_liteValue = m_liteCommands->isChecked() ? map::kLiteValue : 0;
    m_refreshBand->setVisible(!m_liteCommands->isChecked());
}

void SettingsBands::forceDelayToggled() {
    m_forceDelayValue = m_forceDelay->isChecked() ? map::kForceDelayValue : 0;
}

void SettingsBands::resetModeValues() {
    m_commModeValue = 0;
    m_liteValue = 0;
    m_remapValue = 0;
}

int SettingsBands::modeByte() const {
    return m_commModeValue + m_liteValue + m_remapValue + m_forceDelayValue;
}

void SettingsBands::toggleAdvancedArea() {
    m_advancedOpen = !m_advancedOpen;
    m_advancedFeatures->setText(advancedCaption(m_advancedOpen));
    Q_EMIT advancedShown(m_advancedOpen);
}

void SettingsBands::mappingOptionChosen() {
    const bool calculated = m_mappingModes[0]->isChecked();
    m_remapValue = calculated ? 0 : map::kRemapValue;
    Q_EMIT mappingModeChosen(calculated);
}

} // namespace tessel
