#include "ui/SettingsBands.h"

#include "ui/SerialText.h"
#include "ui/WindowVariant.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace tessel {

namespace {

const QString kAdvancedClosed = QStringLiteral("Advanced Features ----->");
const QString kAdvancedOpen = QStringLiteral("<----- HIDE");

QGroupBox *makeFrame(const QString &name, const QString &title, QRect geometry, QWidget *window) {
    auto *frame = new QGroupBox(title, window);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    return frame;
}

QScrollBar *makeScrollBar(const QString &name, int maximum, QWidget *parent) {
    auto *bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(0, maximum);
    bar->setPageStep(1);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
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
    std::tie(m_frame3, m_debounce) =
        buildTimingBand(QStringLiteral("Frame3"), 120, look.debounceBand, QStringLiteral("Label1"),
                        QStringLiteral("Debounce"), 1);
    std::tie(m_frame4, m_refreshing) =
        buildTimingBand(QStringLiteral("Frame4"), 4920, look.refreshBand, QStringLiteral("Label3"),
                        QStringLiteral("Refreshing"), 2);
    for (CaptionLabel *dat : m_dat) {
        dat->setAlignment(Qt::AlignCenter);
        dat->setAcceptDrops(true);
    }
    m_frame1->setAcceptDrops(true);
    m_frame2->setAcceptDrops(true);
    connectHandlers();
}

// ---------------------------------------------------------------- layout

void SettingsBands::buildSerialBand() {
    m_frame1 = makeFrame(QStringLiteral("Frame1"), QStringLiteral("Step 1: Base Serial Number"),
                         twipRect(120, 120, 3735, 975), m_window);
    m_sn = new QLineEdit(m_frame1);
    m_sn->setObjectName(QStringLiteral("SN"));
    m_sn->setAccessibleName(QStringLiteral("Base serial number"));
    QFont snFont = m_sn->font();
    snFont.setPointSize(12);
    m_sn->setFont(snFont);
    m_sn->setGeometry(twipRect(120, 300, 2040, 420));
    m_defaultSn =
        makeButton(QStringLiteral("Default_SN"), QStringLiteral("Restore Default"), m_frame1);
    m_defaultSn->setGeometry(twipRect(2220, 240, 1395, 315));
    m_broadcast =
        makeButton(QStringLiteral("Broadcast"), QStringLiteral("Broadcast to All"), m_frame1);
    m_broadcast->setGeometry(twipRect(2220, 570, 1395, 315));
}

void SettingsBands::buildCountBand() {
    m_frame2 = makeFrame(
        QStringLiteral("Frame2"),
        QStringLiteral("Step 2:  How Many Different Relay Controllers will this Tessel Talk To?"),
        twipRect(3960, 120, 5775, 975), m_window);
    m_hScroll1 = makeScrollBar(QStringLiteral("HScroll1"), m_layout.initialMaxDevice, m_frame2);
    m_hScroll1->setAccessibleName(QStringLiteral("Device count"));
    m_hScroll1->setGeometry(twipRect(240, 420, 4560, 300));
    m_dat[0] = makeLabel(QStringLiteral("DAT_0"), QStringLiteral("???"), m_frame2);
    m_dat[0]->setGeometry(twipRect(4920, 420, 720, 300));
}

void SettingsBands::buildModeBands() {
    m_frame5 = makeFrame(QStringLiteral("Frame5"), QStringLiteral("Operational Modes:"),
                         twipRect(9840, 120, 2940, 975), m_window);
    m_configuration = makeOptionGroup<3>(QStringLiteral("Configuration"),
                                         {QStringLiteral("2-Way Communication"),
                                          QStringLiteral("2-Way QM Port Confirmation"),
                                          QStringLiteral("1-Way Communication (faster)")},
                                         2760, m_frame5);
    m_velqa = new QCheckBox(QStringLiteral("Process Velqa Lite Commands"), m_frame5);
    m_velqa->setObjectName(QStringLiteral("Velqa"));
    m_forceDelay = new QCheckBox(QStringLiteral("Force Velqa Delay (compatibility)"), m_frame5);
    m_forceDelay->setObjectName(QStringLiteral("ForceDelay"));
    // The firmware's third mode and its two compatibility flags are carried, never offered.
    for (QWidget *hidden :
         {static_cast<QWidget *>(m_configuration[2]), static_cast<QWidget *>(m_velqa),
          static_cast<QWidget *>(m_forceDelay)}) {
        hidden->setVisible(false);
        hidden->setEnabled(false);
    }

    m_advanced = makeButton(QStringLiteral("Advanced"), kAdvancedClosed, m_window);
    m_advanced->setGeometry(twipRect(9840, 1200, 2940, 375));

    m_frame7 = makeFrame(QStringLiteral("Frame7"), QStringLiteral("Mapping Byte:"),
                         twipRect(12960, 120, 3240, 975), m_window);
    m_useMap = makeOptionGroup<2>(QStringLiteral("USEMAP"),
                                  {QStringLiteral("Use Calculated Mapping Bytes"),
                                   QStringLiteral("Remap to Custom Settings")},
                                  3000, m_frame7);
}

std::pair<QGroupBox *, QScrollBar *> SettingsBands::buildTimingBand(const QString &frame, int left,
                                                                    const TimingBandLook &look,
                                                                    const QString &label,
                                                                    const QString &bar, int dat) {
    QGroupBox *band = makeFrame(frame, look.title,
                                twipRect(left, look.topTwips, 4815, look.heightTwips), m_window);
    CaptionLabel *caption = makeLabel(label, look.caption, band);
    caption->setGeometry(twipRect(120, 360, 1080, 300));
    QScrollBar *scroll = makeScrollBar(bar, 255, band);
    scroll->setAccessibleName(look.accessibleName);
    scroll->setGeometry(twipRect(1200, 360, 2760, 300));
    m_dat[dat] = makeLabel(elementName(QStringLiteral("DAT"), dat), QStringLiteral("???"), band);
    m_dat[dat]->setGeometry(twipRect(4080, 360, 600, 300));
    return {band, scroll};
}

void SettingsBands::connectHandlers() {
    connect(m_sn, &QLineEdit::textChanged, this, &SettingsBands::SN_Change);
    connect(m_defaultSn, &QPushButton::clicked, this, &SettingsBands::Default_SN_Click);
    connect(m_broadcast, &QPushButton::clicked, this, &SettingsBands::Broadcast_Click);
    connect(m_hScroll1, &QScrollBar::valueChanged, this, &SettingsBands::HScroll1_Change);
    connect(m_debounce, &QScrollBar::valueChanged, this, &SettingsBands::Debounce_Change);
    connect(m_refreshing, &QScrollBar::valueChanged, this, &SettingsBands::Refreshing_Change);
    for (QRadioButton *option : m_configuration) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Configuration_Click();
        });
    }
    connect(m_velqa, &QCheckBox::toggled, this, &SettingsBands::Velqa_Click);
    connect(m_forceDelay, &QCheckBox::toggled, this, &SettingsBands::ForceDelay_Click);
    connect(m_advanced, &QPushButton::clicked, this, &SettingsBands::Advanced_Click);
    for (QRadioButton *option : m_useMap) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                USEMAP_Click();
        });
    }
}

QWidget *SettingsBands::debounceBand() const {
    return m_frame3;
}

// ---------------------------------------------------------------- showing the image

void SettingsBands::showBaseSerial() {
    m_sn->setText(baseSerialText(m_image, m_layout));
}

void SettingsBands::setBaseSerialText(const QString &text) {
    m_sn->setText(text);
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
    if (lastDevice > m_hScroll1->maximum())
        m_hScroll1->setMaximum(map::kMaxLastDeviceIndex);
    m_hScroll1->setValue(lastDevice);
    m_image.setValue(map::kLastDeviceIndex, lastDevice);
    m_dat[0]->setCaption(QString::number(lastDevice + 1));
    if (customMapping) {
        for (int r = 0; r < map::kRowCount; ++r)
            m_image.setValue(map::mappingAddress(r), mappingBytes[r]);
    }
}

void SettingsBands::showTimings() {
    const int debounce = m_image.value(map::kDebounce);
    m_debounce->setValue(debounce);
    m_dat[1]->setCaption(QString::number(debounce));
    const int refresh = m_image.value(map::kRefresh);
    m_refreshing->setValue(refresh);
    m_dat[2]->setCaption(QString::number(refresh));
}

void SettingsBands::showModes() {
    const int mode = m_image.value(map::kModeByte);
    if ((mode & map::kCommModeMask) < 3)
        m_configuration[mode & map::kCommModeMask]->setChecked(true);
    m_useMap[(mode & map::kRemapValue) ? 1 : 0]->setChecked(true);
    // After the mode: choosing a mode touches the check boxes, the image decides them.
    m_velqa->setChecked(mode & map::kLiteValue);
    m_forceDelay->setChecked(mode & map::kForceDelayValue);
}

// ---------------------------------------------------------------- serial numbers

void SettingsBands::SN_Change() {
    const auto bytes =
        parseSerial(m_sn->text(), m_layout.baseSerialBytes, m_layout.baseSerialBytes > 4);
    setBackground(m_sn, bytes ? colours::windowBackground() : colours::kLightRed);
    if (bytes) {
        for (int a = 0; a < m_layout.baseSerialBytes; ++a)
            m_image.setValue(a, (*bytes)[a]);
    }
    Q_EMIT fieldsChecked(bytes ? QStringList{} : QStringList{QStringLiteral("base serial number")});
}

void SettingsBands::Default_SN_Click() {
    m_sn->setText(m_layout.baseSerialBytes > 4 ? QStringLiteral("0013A200:4032")
                                               : QStringLiteral("0013A200"));
    m_hScroll1->setRange(0, map::kMaxLastDeviceIndex);
}

void SettingsBands::Broadcast_Click() {
    // The 64-bit broadcast address 000000000000FFFF: a base serial of zeros and a row-1
    // serial ending in FFFF, in each window's own serial lengths.
    m_sn->setText(m_layout.baseSerialBytes > 4 ? QStringLiteral("00000000:0000")
                                               : QStringLiteral("00000000"));
    Q_EMIT rowSerialEntered(0, QString(2 * m_layout.rowSerialBytes - 4, QLatin1Char('0')) +
                                   QStringLiteral("FFFF"));
    m_hScroll1->setValue(0);
    m_hScroll1->setRange(0, 0);
}

// ---------------------------------------------------------------- count, timings, modes

void SettingsBands::HScroll1_Change() {
    const int n = m_hScroll1->value();
    m_dat[0]->setCaption(QString::number(n + 1));
    m_image.setValue(map::kLastDeviceIndex, n);
    Q_EMIT deviceCountChanged(n);
}

void SettingsBands::Debounce_Change() {
    const int value = m_debounce->value();
    m_dat[1]->setCaption(QString::number(value));
    m_image.setValue(map::kDebounce, value);
    Q_EMIT debounceChanged(value);
}

void SettingsBands::Refreshing_Change() {
    const int value = m_refreshing->value();
    m_dat[2]->setCaption(QString::number(value));
    m_image.setValue(map::kRefresh, value);
}

void SettingsBands::Configuration_Click() {
    if (m_configuration[0]->isChecked()) {
        m_velqa->setChecked(false);
        m_velqa->setEnabled(false);
        CommModeValue = 0;
    }
    if (m_configuration[1]->isChecked())
        CommModeValue = 1;
    if (m_configuration[2]->isChecked()) {
        m_forceDelay->setChecked(true);
        CommModeValue = 2;
        ForceDelayValue = map::kForceDelayValue;
    }
}

void SettingsBands::Velqa_Click() {
    LiteValue = m_velqa->isChecked() ? map::kLiteValue : 0;
    m_frame4->setVisible(!m_velqa->isChecked());
}

void SettingsBands::ForceDelay_Click() {
    ForceDelayValue = m_forceDelay->isChecked() ? map::kForceDelayValue : 0;
}

void SettingsBands::resetModeValues() {
    CommModeValue = 0;
    LiteValue = 0;
    RemapValue = 0;
}

int SettingsBands::modeByte() const {
    return CommModeValue + LiteValue + RemapValue + ForceDelayValue;
}

void SettingsBands::Advanced_Click() {
    m_advancedOpen = !m_advancedOpen;
    m_advanced->setText(m_advancedOpen ? kAdvancedOpen : kAdvancedClosed);
    Q_EMIT advancedShown(m_advancedOpen);
}

void SettingsBands::USEMAP_Click() {
    const bool calculated = m_useMap[0]->isChecked();
    RemapValue = calculated ? 0 : map::kRemapValue;
    Q_EMIT mappingModeChosen(calculated);
}

} // namespace tessel
