#include "ui/ConfigWindow.h"

#include "core/ControllerTypes.h"
#include "core/HelpTexts.h"
#include "core/InputAssignment.h"
#include "core/NumberText.h"
#include "core/ProfileText.h"
#include "link/ModuleProtocol.h"
#include "link/SettingsTransfer.h"
#include "ui/ProgressWindow.h"
#include "ui/WindowHost.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragMoveEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>

namespace tessel {

namespace {

// Columns of the device table: left edge and width in twips.
struct Column {
    int left;
    int width;
};
constexpr Column kC1{120, 600};
constexpr Column kC2{780, 600};
constexpr Column kC3{1440, 1260};
constexpr Column kDown{2760, 255};
constexpr Column kC4{3030, 2700};
constexpr Column kUp{5745, 255};
constexpr Column kC5{6060, 2580};
constexpr Column kC6{8700, 3060};
constexpr Column kMap{12960, 780};
constexpr Column kC7{13800, 2400};
constexpr int kFirstRowTop = 3000;
constexpr int kRowPitch = 240;
constexpr int kCellHeight = 225;

QRect cellRect(Column column, int row) {
    return twipRect(column.left, kFirstRowTop + kRowPitch * row, column.width, kCellHeight);
}

const QString kRemapped = QStringLiteral("REMAPPED");
const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

CaptionLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent) {
    auto *label = new CaptionLabel(caption, parent);
    label->setObjectName(name);
    return label;
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
std::vector<QRadioButton *> makeOptionGroup(const QString &array, const QStringList &captions,
                                            int widthTwips, QWidget *frame) {
    auto *group = new QButtonGroup(frame);
    std::vector<QRadioButton *> options;
    for (int i = 0; i < captions.size(); ++i) {
        auto *option = new QRadioButton(captions[i], frame);
        option->setObjectName(elementName(array, i));
        option->setGeometry(twipRect(120, 300 + 300 * i, widthTwips, 270));
        group->addButton(option, i);
        options.push_back(option);
    }
    options.front()->setChecked(true);
    return options;
}

// Splits "MAP_3" into ("MAP", 3); a name without an index gives -1.
std::pair<QString, int> splitElementName(const QString &name) {
    static const QRegularExpression element(QStringLiteral("^(.+)_(\\d+)$"));
    const auto match = element.match(name);
    if (!match.hasMatch())
        return {name, -1};
    return {match.captured(1), match.captured(2).toInt()};
}

} // namespace

ConfigWindow::ConfigWindow(ModuleKind kind, ModuleProtocol &protocol, WindowHost &host,
                           QWidget *parent)
    : QWidget(parent), m_image(startImage()), m_layout(layoutOf(kind)), m_protocol(protocol),
      m_host(host) {
    setObjectName(kind == ModuleKind::Tessel ? QStringLiteral("Tessel_ZigBee")
                                             : QStringLiteral("Threshold_ZigBee"));
    setWindowTitle(QStringLiteral("ZigBee Tessel Module"));
    // The form is laid out in twips for a small dialog font; keep text inside its cells.
    QFont formFont = font();
    formFont.setPointSizeF(7.5);
    setFont(formFont);
    setWide(false);
    buildTopBands();
    buildTable();
    buildBottom();
    connectHandlers();
    // The table shows the rows the count control stands for from the start, not 24 blank rows.
    showRowsInUse(m_hScroll1->value());
    installPointerHelp();
}

// ---------------------------------------------------------------- layout

void ConfigWindow::buildTopBands() {
    m_frame1 = new QGroupBox(QStringLiteral("Step 1: Base Serial Number"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(twipRect(120, 120, 3735, 975));
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

    m_frame2 = new QGroupBox(
        QStringLiteral("Step 2:  How Many Different Relay Controllers will this Tessel Talk To?"),
        this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setGeometry(twipRect(3960, 120, 5775, 975));
    m_hScroll1 = makeScrollBar(QStringLiteral("HScroll1"), m_layout.initialMaxDevice, m_frame2);
    m_hScroll1->setAccessibleName(QStringLiteral("Device count"));
    m_hScroll1->setGeometry(twipRect(240, 420, 4560, 300));
    m_dat[0] = makeLabel(QStringLiteral("DAT_0"), QStringLiteral("???"), m_frame2);
    m_dat[0]->setGeometry(twipRect(4920, 420, 720, 300));

    m_frame5 = new QGroupBox(QStringLiteral("Operational Modes:"), this);
    m_frame5->setObjectName(QStringLiteral("Frame5"));
    m_frame5->setGeometry(twipRect(9840, 120, 2940, 975));
    const QStringList modes = {QStringLiteral("2-Way Communication"),
                               QStringLiteral("2-Way QM Port Confirmation"),
                               QStringLiteral("1-Way Communication (faster)")};
    const auto modeOptions =
        makeOptionGroup(QStringLiteral("Configuration"), modes, 2760, m_frame5);
    std::copy(modeOptions.begin(), modeOptions.end(), m_configuration.begin());
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

    m_advanced =
        makeButton(QStringLiteral("Advanced"), QStringLiteral("Advanced Features ----->"), this);
    m_advanced->setGeometry(twipRect(9840, 1200, 2940, 375));

    m_frame7 = new QGroupBox(QStringLiteral("Mapping Byte:"), this);
    m_frame7->setObjectName(QStringLiteral("Frame7"));
    m_frame7->setGeometry(twipRect(12960, 120, 3240, 975));
    const auto mapOptions = makeOptionGroup(QStringLiteral("USEMAP"),
                                            {QStringLiteral("Use Calculated Mapping Bytes"),
                                             QStringLiteral("Remap to Custom Settings")},
                                            3000, m_frame7);
    std::copy(mapOptions.begin(), mapOptions.end(), m_useMap.begin());

    // Steps 3 and 4: a caption, a 0..255 scroll bar and its value.
    auto stepFrame = [this](const QString &frame, const QString &title, int left,
                            const QString &label, const QString &caption, const QString &bar,
                            int dat) -> std::tuple<QGroupBox *, CaptionLabel *, QScrollBar *> {
        auto *box = new QGroupBox(title, this);
        box->setObjectName(frame);
        box->setGeometry(twipRect(left, 1200, 4815, 855));
        CaptionLabel *name = makeLabel(label, caption, box);
        name->setGeometry(twipRect(120, 360, 1080, 300));
        QScrollBar *scroll = makeScrollBar(bar, 255, box);
        scroll->setAccessibleName(caption.chopped(1));
        scroll->setGeometry(twipRect(1200, 360, 2760, 300));
        m_dat[dat] = makeLabel(elementName(QStringLiteral("DAT"), dat), QStringLiteral("???"), box);
        m_dat[dat]->setGeometry(twipRect(4080, 360, 600, 300));
        return {box, name, scroll};
    };
    std::tie(m_frame3, m_label1, m_debounce) = stepFrame(
        QStringLiteral("Frame3"), QStringLiteral("Step 3: Configure Debounce Setting"), 120,
        QStringLiteral("Label1"), QStringLiteral("Debounce:"), QStringLiteral("Debounce"), 1);
    std::tie(m_frame4, m_label3, m_refreshing) = stepFrame(
        QStringLiteral("Frame4"), QStringLiteral("Step 4: Configure Refresh Setting"), 4920,
        QStringLiteral("Label3"), QStringLiteral("Refresh:"), QStringLiteral("Refreshing"), 2);

    for (CaptionLabel *dat : m_dat) {
        dat->setAlignment(Qt::AlignCenter);
        dat->setAcceptDrops(true);
    }
    m_frame1->setAcceptDrops(true);
    m_frame2->setAcceptDrops(true);
}

void ConfigWindow::buildTable() {
    auto *label4 = makeLabel(QStringLiteral("Label4"),
                             QStringLiteral("Configure Communication to Multiple Destination "
                                            "Controllers"),
                             this);
    label4->setGeometry(twipRect(120, 2280, 12600, 285));
    QFont bold = label4->font();
    bold.setBold(true);
    label4->setFont(bold);

    // The header line: one word per column so that each sits over its column whatever the font.
    m_label2 = new QWidget(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setGeometry(twipRect(0, 2640, kWideWidthTwips, 300));
    const std::pair<Column, QString> heads[] = {
        {kC1, QStringLiteral("Device:")},
        {kC2, QStringLiteral("Active:")},
        {kC3, QStringLiteral("Serial:")},
        {kC4, QStringLiteral("Controller Type:")},
        {kC5, QStringLiteral("Function:")},
        {kC6, QStringLiteral("Input Assignment:")},
        {Column{kMap.left, kC7.left + kC7.width - kMap.left},
         QStringLiteral("MAP Byte: (remapping)")}};
    for (const auto &[column, word] : heads) {
        auto *head = new QLabel(word, m_label2);
        head->setGeometry(twipRect(column.left, 0, column.width, 300));
        if (column.left == kC5.left)
            m_functionHeader = head;
    }
    m_label2->setAccessibleName(
        QStringLiteral("Device: Active: Serial: Controller Type: Function: Input Assignment: "
                       "MAP Byte: (remapping)"));

    for (int r = 0; r < map::kRowCount; ++r) {
        DeviceRow &row = m_rows[r];
        const QString device = QStringLiteral("device %1").arg(r + 1);
        auto cell = [&](const QString &array, Column column, const QString &what) {
            CaptionLabel *label = makeLabel(elementName(array, r), {}, this);
            label->setGeometry(cellRect(column, r));
            label->setFrameShape(QFrame::Box);
            // The caption is what a screen reader speaks; the description says where it stands.
            label->setAccessibleDescription(what + QStringLiteral(", ") + device);
            return label;
        };
        row.C1 = cell(QStringLiteral("C1"), kC1, QStringLiteral("Device"));
        row.C1->setAlignment(Qt::AlignCenter);
        row.C2 = cell(QStringLiteral("C2"), kC2, QStringLiteral("Active"));
        row.C2->setAlignment(Qt::AlignCenter);
        row.C2->setClickable(true);
        row.C3 = cell(QStringLiteral("C3"), kC3, QStringLiteral("Serial"));
        row.C3->setAlignment(Qt::AlignCenter);
        row.C3->setClickable(true);
        row.SNTB = new QLineEdit(QStringLiteral("????"), this);
        row.SNTB->setObjectName(elementName(QStringLiteral("SNTB"), r));
        row.SNTB->setGeometry(cellRect(kC3, r).adjusted(-3, -2, 3, 2));
        row.SNTB->setAccessibleName(QStringLiteral("Serial of ") + device);
        row.SNTB->setAccessibleDescription(QStringLiteral("Serial, ") + device);
        row.SNTB->setMaxLength(13);
        row.SNTB->hide();
        row.DOWN = makeButton(elementName(QStringLiteral("DOWN"), r), QStringLiteral("<"), this);
        row.DOWN->setGeometry(cellRect(kDown, r));
        row.DOWN->setAccessibleName(QStringLiteral("Previous controller type for ") + device);
        row.C4 = cell(QStringLiteral("C4"), kC4, QStringLiteral("Controller type"));
        row.UP = makeButton(elementName(QStringLiteral("UP"), r), QStringLiteral(">"), this);
        row.UP->setGeometry(cellRect(kUp, r));
        row.UP->setAccessibleName(QStringLiteral("Next controller type for ") + device);
        row.C5 = cell(QStringLiteral("C5"), kC5, QStringLiteral("Function"));
        row.C5->setClickable(true);
        row.C6 = cell(QStringLiteral("C6"), kC6, QStringLiteral("Input assignment"));
        row.MAP = new QLineEdit(QStringLiteral("???"), this);
        row.MAP->setObjectName(elementName(QStringLiteral("MAP"), r));
        row.MAP->setGeometry(cellRect(kMap, r));
        row.MAP->setAccessibleName(QStringLiteral("Mapping byte of ") + device);
        row.MAP->setAccessibleDescription(QStringLiteral("Mapping byte, ") + device);
        row.MAP->setFrame(false);
        setBackground(row.MAP, colours::kLightRed);
        row.C7 = cell(QStringLiteral("C7"), kC7, QStringLiteral("Mapping"));
        for (CaptionLabel *grey : {row.C1, row.C6, row.C7})
            setBackground(grey, colours::kGrey);
        for (QPushButton *step : {row.DOWN, row.UP}) {
            step->setAutoDefault(false);
            step->setAccessibleDescription(QStringLiteral("Controller type, ") + device);
        }
    }
}

void ConfigWindow::buildBottom() {
    m_help = new QPlainTextEdit(initialHelpText(), this);
    m_help->setObjectName(QStringLiteral("HELP"));
    m_help->setReadOnly(true);
    m_help->setGeometry(twipRect(120, 8880, 8295, 1665));
    m_help->setAccessibleName(QStringLiteral("Help"));
    setBackground(m_help, colours::kGrey);
    m_help->viewport()->setMouseTracking(true);

    m_createExplanation = makeButton(QStringLiteral("CreateExplanation"),
                                     QStringLiteral("Generate Production Profile for Quantity "
                                                    "Purchases"),
                                     this);
    m_createExplanation->setGeometry(twipRect(8520, 8880, 4260, 495));
    m_readSettings = makeButton(QStringLiteral("ReadSettings"),
                                QStringLiteral("Read Settings from Controller"), this);
    m_readSettings->setGeometry(twipRect(8520, 9435, 4260, 495));
    m_storeSettings = makeButton(QStringLiteral("StoreSettings"),
                                 QStringLiteral("Store These Settings Into Controller"), this);
    m_storeSettings->setGeometry(twipRect(8520, 9990, 4260, 495));
    m_command2 = makeButton(QStringLiteral("Command2"),
                            QStringLiteral("Restore to Factory Default Settings"), this);
    m_command2->setGeometry(twipRect(12960, 9840, 3240, 615));
    setBackground(m_createExplanation, colours::kLightGreen);
    setBackground(m_readSettings, colours::kLightCyan);
    setBackground(m_storeSettings, colours::kLightRed);
    setBackground(m_command2, colours::kRed);
    for (QPushButton *b : {m_createExplanation, m_readSettings, m_storeSettings, m_command2})
        b->setAutoDefault(false);
}

void ConfigWindow::connectHandlers() {
    connect(m_sn, &QLineEdit::textChanged, this, &ConfigWindow::SN_Change);
    connect(m_defaultSn, &QPushButton::clicked, this, &ConfigWindow::Default_SN_Click);
    connect(m_broadcast, &QPushButton::clicked, this, &ConfigWindow::Broadcast_Click);
    connect(m_hScroll1, &QScrollBar::valueChanged, this, &ConfigWindow::HScroll1_Change);
    connect(m_debounce, &QScrollBar::valueChanged, this, &ConfigWindow::Debounce_Change);
    connect(m_refreshing, &QScrollBar::valueChanged, this, &ConfigWindow::Refreshing_Change);
    for (QRadioButton *option : m_configuration) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                Configuration_Click();
        });
    }
    connect(m_velqa, &QCheckBox::toggled, this, &ConfigWindow::Velqa_Click);
    connect(m_forceDelay, &QCheckBox::toggled, this, &ConfigWindow::ForceDelay_Click);
    connect(m_advanced, &QPushButton::clicked, this, &ConfigWindow::Advanced_Click);
    for (QRadioButton *option : m_useMap) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                USEMAP_Click();
        });
    }
    for (int r = 0; r < map::kRowCount; ++r) {
        const DeviceRow &row = m_rows[r];
        connect(row.C2, &CaptionLabel::clicked, this, [this, r] { C2_Click(r); });
        connect(row.C3, &CaptionLabel::clicked, this, [this, r] { C3_Click(r); });
        connect(row.C5, &CaptionLabel::clicked, this, [this, r] { C5_Click(r); });
        connect(row.SNTB, &QLineEdit::textChanged, this, [this, r] { SNTB_Change(r); });
        // Keyboard users end an in-place edit with Enter or by leaving the box.
        connect(row.SNTB, &QLineEdit::editingFinished, this, &ConfigWindow::ClearInterface);
        connect(row.UP, &QPushButton::clicked, this, [this, r] { stepType(r, +1); });
        connect(row.DOWN, &QPushButton::clicked, this, [this, r] { stepType(r, -1); });
        connect(row.MAP, &QLineEdit::textChanged, this, [this, r] { MAP_Change(r); });
    }
    connect(m_createExplanation, &QPushButton::clicked, this,
            &ConfigWindow::CreateExplanation_Click);
    connect(m_readSettings, &QPushButton::clicked, this, &ConfigWindow::ReadSettings_Click);
    connect(m_storeSettings, &QPushButton::clicked, this, &ConfigWindow::StoreSettings_Click);
    connect(m_command2, &QPushButton::clicked, this, &ConfigWindow::Command2_Click);
}

void ConfigWindow::setWide(bool wide) {
    setFixedSize(px(wide ? kWideWidthTwips : kNarrowWidthTwips), px(kHeightTwips));
}

// ---------------------------------------------------------------- identification and load

bool ConfigWindow::loadFromModule() {
    setWide(false);
    m_image = startImage();
    CommModeValue = 0;
    LiteValue = 0;
    RemapValue = 0;
    const auto identity = GetVersion();
    if (!identity)
        return false;
    Start_Process(*identity);
    return true;
}

std::optional<wire::IdentityReply> ConfigWindow::GetVersion() {
    auto session = m_protocol.link().tryBegin();
    if (!session)
        return std::nullopt;
    return m_protocol.identify(std::nullopt);
}

void ConfigWindow::Start_Process(const wire::IdentityReply &identity) {
    setWindowTitle(wire::windowCaption(identity));
    m_readSettings->show();
    m_storeSettings->show();
    show();
    ReadSettings_Click();
    SyncSettings();
    ReadSettings_Click();
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].MAP->setText(QString::number(m_image.value(map::mappingAddress(r))));
}

// ---------------------------------------------------------------- showing the image

void ConfigWindow::showImage(const EepromImage &image) {
    m_image = image;
    SyncSettings();
}

QString ConfigWindow::baseSerialText() const {
    QString text;
    for (int a = 0; a < m_layout.baseSerialBytes; ++a) {
        if (a == 4)
            text += QLatin1Char(':');
        text += HexCheck(m_image.value(a));
    }
    return text;
}

QString ConfigWindow::rowSerialText(int row) const {
    QString text;
    for (int j = 0; j < m_layout.rowSerialBytes; ++j)
        text += HexCheck(m_image.value(map::recordAddress(row) + j));
    return text;
}

void ConfigWindow::SyncSettings() {
    m_sn->setText(baseSerialText());

    // Device count. An image with custom mapping bytes keeps them: the row display below
    // recalculates the bytes before the mapping mode further down has been selected.
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

    const int debounce = m_image.value(map::kDebounce);
    m_debounce->setValue(debounce);
    m_dat[1]->setCaption(QString::number(debounce));
    const int refresh = m_image.value(map::kRefresh);
    m_refreshing->setValue(refresh);
    m_dat[2]->setCaption(QString::number(refresh));

    for (int r = 0; r < map::kRowCount; ++r) {
        const bool active = m_image.bit(map::activeAddress(r), map::activeBit(r));
        m_rows[r].C2->setCaption(active ? kYes : kNo);
    }
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].C3->setCaption(rowSerialText(r));
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].MAP->setText(QString::number(m_image.value(map::mappingAddress(r))));

    const int mode = m_image.value(map::kModeByte);
    if ((mode & map::kCommModeMask) < 3)
        m_configuration[mode & map::kCommModeMask]->setChecked(true);
    if (mode & map::kRemapValue) {
        m_useMap[1]->setChecked(true);
        setWide(true);
    } else {
        m_useMap[0]->setChecked(true);
    }
    // After the mode: choosing a mode touches the check boxes, the image decides them.
    m_velqa->setChecked(mode & map::kLiteValue);
    m_forceDelay->setChecked(mode & map::kForceDelayValue);

    for (int r = 0; r < map::kRowCount; ++r) {
        const int type = std::clamp(m_image.value(map::typeAddress(r)), 0, map::kMaxType);
        m_image.setValue(map::typeAddress(r), type);
        m_rows[r].C4->setCaption(ControllerTypeTable()[type]);
    }
    syncRowFunctions();
    Build_Input_Assignment();
    m_host.imageShown();
    raise();
    activateWindow();
}

void ConfigWindow::syncRowFunctions() {
    for (int r = 0; r < map::kRowCount; ++r) {
        if (m_image.value(map::functionAddress(r)) > 0)
            m_image.setValue(map::functionAddress(r), 0);
        const int function = std::max(0, m_image.value(map::functionAddress(r)));
        m_rows[r].C5->setCaption(RelayFunctionTable()[function]);
    }
}

// ---------------------------------------------------------------- serial numbers

std::optional<std::vector<int>> ConfigWindow::parseHex(const QString &text, int bytes,
                                                       bool withColon) const {
    // Upper-case hex digits only, in the exact length; a colon after 8 digits where the
    // serial is longer than 32 bits.
    QString digits = text;
    if (withColon) {
        if (text.size() != 13 || text[8] != QLatin1Char(':'))
            return std::nullopt;
        digits.remove(8, 1);
    }
    if (digits.size() != 2 * bytes)
        return std::nullopt;
    std::vector<int> values;
    for (int i = 0; i < bytes; ++i) {
        bool ok = true;
        for (QChar c : digits.mid(2 * i, 2))
            ok = ok && ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                        (c >= QLatin1Char('A') && c <= QLatin1Char('F')));
        if (!ok)
            return std::nullopt;
        values.push_back(digits.mid(2 * i, 2).toInt(nullptr, 16));
    }
    return values;
}

void ConfigWindow::SN_Change() {
    setStoreVisible(false);
    setBackground(m_sn, colours::kLightRed);
    const auto bytes =
        parseHex(m_sn->text(), m_layout.baseSerialBytes, m_layout.baseSerialBytes > 4);
    if (!bytes)
        return;
    setBackground(m_sn, colours::windowBackground());
    setStoreVisible(true);
    for (int a = 0; a < m_layout.baseSerialBytes; ++a)
        m_image.setValue(a, (*bytes)[a]);
}

void ConfigWindow::SNTB_Change(int index) {
    DeviceRow &row = m_rows[index];
    setBackground(row.C3, colours::kLightRed);
    setBackground(row.SNTB, colours::kLightRed);
    setStoreVisible(false);
    const auto bytes = parseHex(row.SNTB->text(), m_layout.rowSerialBytes, false);
    if (!bytes)
        return;
    setBackground(row.SNTB, colours::windowBackground());
    setBackground(row.C3, colours::windowBackground());
    setStoreVisible(true);
    for (int j = 0; j < m_layout.rowSerialBytes; ++j)
        m_image.setValue(map::recordAddress(index) + j, (*bytes)[j]);
}

void ConfigWindow::C3_Click(int index) {
    m_rows[index].SNTB->show();
    m_rows[index].SNTB->raise();
    for (DeviceRow &row : m_rows)
        row.SNTB->setText(row.C3->caption());
    m_rows[index].SNTB->setFocus();
    m_rows[index].SNTB->selectAll();
}

void ConfigWindow::ClearInterface() {
    for (DeviceRow &row : m_rows) {
        row.C3->setCaption(row.SNTB->text());
        row.SNTB->hide();
    }
}

void ConfigWindow::Default_SN_Click() {
    m_sn->setText(m_layout.baseSerialBytes > 4 ? QStringLiteral("0013A200:4032")
                                               : QStringLiteral("0013A200"));
    m_hScroll1->setRange(0, map::kMaxLastDeviceIndex);
}

void ConfigWindow::Broadcast_Click() {
    // The 64-bit broadcast address 000000000000FFFF: a base serial of zeros and a row-1
    // serial ending in FFFF, in each window's own serial lengths.
    m_sn->setText(m_layout.baseSerialBytes > 4 ? QStringLiteral("00000000:0000")
                                               : QStringLiteral("00000000"));
    const QString row1 =
        QString(2 * m_layout.rowSerialBytes - 4, QLatin1Char('0')) + QStringLiteral("FFFF");
    m_rows[0].C3->setCaption(row1);
    m_rows[0].SNTB->setText(row1);
    m_hScroll1->setValue(0);
    m_hScroll1->setRange(0, 0);
}

// ---------------------------------------------------------------- device table

int ConfigWindow::lastRowInUse() const {
    return m_hScroll1->value();
}

void ConfigWindow::HScroll1_Change() {
    const int n = m_hScroll1->value();
    m_dat[0]->setCaption(QString::number(n + 1));
    showRowsInUse(n);
    m_image.setValue(map::kLastDeviceIndex, n);
    Build_Input_Assignment();
}

void ConfigWindow::showRowsInUse(int n) {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].C1->setCaption(QString::number(r + 1));
    for (int r = 0; r < map::kRowCount; ++r) {
        const DeviceRow &row = m_rows[r];
        const bool inUse = r <= n;
        for (QWidget *w : std::initializer_list<QWidget *>{row.C1, row.C2, row.C3, row.C4, row.C5,
                                                           row.C6, row.C7, row.UP, row.DOWN}) {
            w->setVisible(inUse);
            w->setEnabled(inUse);
        }
        row.MAP->setVisible(inUse);
    }
}

void ConfigWindow::C2_Click(int index) {
    CaptionLabel *active = m_rows[index].C2;
    const bool nowActive = active->caption() != kYes;
    active->setCaption(nowActive ? kYes : kNo);
    m_image.setBit(map::activeAddress(index), map::activeBit(index), nowActive);
    ColorWords();
}

void ConfigWindow::C5_Click(int index) {
    const int address = map::functionAddress(index);
    if (m_image.value(address) > 1)
        m_image.setValue(address, 0);
    const int function = std::clamp(m_image.value(address), 0, 3);
    m_rows[index].C5->setCaption(RelayFunctionTable()[function]);
}

int ConfigWindow::maxStepType() const {
    // A Threshold module takes at most 16 inputs: stepping stops at the 16-channel type.
    return m_layout.kind == ModuleKind::Tessel ? map::kMaxType : 5;
}

void ConfigWindow::stepType(int index, int step) {
    const int address = map::typeAddress(index);
    // Up wraps to the first type after the last one offered, down from the first to the
    // last; a larger type read from a module steps down one at a time.
    int type = m_image.value(address) + step;
    if (step > 0 && type > maxStepType())
        type = 0;
    if (step < 0 && type < 0)
        type = maxStepType();
    m_image.setValue(address, type);
    m_rows[index].C4->setCaption(controllerTypeName(type));
    Build_Input_Assignment();
}

// ---------------------------------------------------------------- modes

void ConfigWindow::Configuration_Click() {
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

void ConfigWindow::Velqa_Click() {
    LiteValue = m_velqa->isChecked() ? map::kLiteValue : 0;
    m_frame4->setVisible(!m_velqa->isChecked());
}

void ConfigWindow::ForceDelay_Click() {
    ForceDelayValue = m_forceDelay->isChecked() ? map::kForceDelayValue : 0;
}

void ConfigWindow::Debounce_Change() {
    const int value = m_debounce->value();
    m_dat[1]->setCaption(QString::number(value));
    m_image.setValue(map::kDebounce, value);
    onCaptureSpeedChanged(value);
}

void ConfigWindow::Refreshing_Change() {
    const int value = m_refreshing->value();
    m_dat[2]->setCaption(QString::number(value));
    m_image.setValue(map::kRefresh, value);
}

void ConfigWindow::Advanced_Click() {
    const QString closed = QStringLiteral("Advanced Features ----->");
    const bool opening = m_advanced->text() == closed;
    m_advanced->setText(opening ? QStringLiteral("<----- HIDE") : closed);
    setWide(opening);
}

void ConfigWindow::Command2_Click() {
    m_image = factoryImage(m_layout.kind);
    StoreSettings_Click();
    ReadSettings_Click();
}

// ---------------------------------------------------------------- input assignment

void ConfigWindow::Build_Input_Assignment() {
    const int n = lastRowInUse();
    std::vector<int> types;
    for (int r = 0; r <= n; ++r)
        types.push_back(m_image.value(map::typeAddress(r)));
    const auto assignment = computeAssignment(types);
    const bool calculated = m_useMap[0]->isChecked();
    for (int r = 0; r <= n; ++r) {
        DeviceRow &row = m_rows[r];
        row.C6->setCaption(assignment[r].caption);
        if (calculated) {
            row.MAP->setText(withLeadingBlank(assignment[r].mappingByte));
            row.C7->setCaption(assignment[r].caption);
            m_image.setValue(map::mappingAddress(r), assignment[r].mappingByte);
        } else {
            row.C7->setCaption(kRemapped);
        }
    }
    ColorWords();
}

void ConfigWindow::USEMAP_Click() {
    if (m_useMap[0]->isChecked()) {
        Build_Input_Assignment();
        RemapValue = 0;
        for (DeviceRow &row : m_rows)
            row.MAP->setEnabled(false);
    } else {
        RemapValue = map::kRemapValue;
        for (DeviceRow &row : m_rows) {
            row.C7->setCaption(kRemapped);
            row.MAP->setEnabled(true);
        }
    }
    ColorWords();
}

void ConfigWindow::MAP_Change(int index) {
    const MapEntry entry = readMappingText(m_rows[index].MAP->text());
    setBackground(m_rows[index].MAP,
                  entry.valid ? colours::windowBackground() : colours::kLightRed);
    m_image.setValue(map::mappingAddress(index), entry.value);
}

std::vector<int> ConfigWindow::rowsWithBadMappingByte() const {
    std::vector<int> rows;
    for (int r = 0; r < map::kRowCount; ++r) {
        const int v = m_image.value(map::mappingAddress(r));
        if (v < 0 || v > 255)
            rows.push_back(r);
    }
    return rows;
}

void ConfigWindow::paintRow(int row, const QColor &colour, bool includeActive) {
    const DeviceRow &r = m_rows[row];
    for (CaptionLabel *cell : {r.C1, r.C3, r.C4, r.C5, r.C6})
        setBackground(cell, colour);
    if (includeActive)
        setBackground(r.C2, colour);
}

void ConfigWindow::ColorWords() {
    const int n = lastRowInUse();
    std::vector<int> types;
    for (int r = 0; r <= n; ++r)
        types.push_back(m_image.value(map::typeAddress(r)));
    const auto beyond = rowsBeyondCapacity(types, m_layout.inputCapacity);
    for (int r = 0; r <= n; ++r) {
        if (beyond[r]) {
            paintRow(r, colours::kLightRed, true);
            setStoreVisible(false);
        } else {
            paintRow(r, colours::windowBackground(), true);
            setBackground(m_rows[r].C1, colours::kGrey);
            setBackground(m_rows[r].C6, colours::kGrey);
            setStoreVisible(true);
        }
    }
    const bool calculated = m_useMap[0]->isChecked();
    for (int r = 0; r < map::kRowCount; ++r) {
        DeviceRow &row = m_rows[r];
        if (row.C2->caption() == kNo) {
            paintRow(r, colours::kDarkGrey, false);
            setBackground(row.C2, colours::kSilver);
        }
        if (calculated) {
            setBackground(row.C7, colours::kDarkGrey);
            setBackground(row.MAP, colours::kDarkGrey);
        } else {
            setBackground(row.C7, colours::kGrey);
            setBackground(row.C6, colours::kDarkGrey);
            setBackground(row.MAP, colours::windowBackground());
        }
    }
    // A mapping byte that does not fit in one byte can never be stored: mark it and its row.
    for (int r : rowsWithBadMappingByte()) {
        setBackground(m_rows[r].MAP, colours::kLightRed);
        setBackground(m_rows[r].C1, colours::kLightRed);
        setBackground(m_rows[r].C7, colours::kLightRed);
    }
}

// ---------------------------------------------------------------- transfers

void ConfigWindow::setStoreVisible(bool visible) {
    m_storeSettings->setVisible(visible);
}

void ConfigWindow::ReadSettings_Click() {
    if (!prepareTransfer([this] { ReadSettings_Click(); }))
        return;
    TransferResult result;
    {
        auto session = m_protocol.link().tryBegin();
        if (!session)
            return; // another exchange waits for the module; never interleave
        for (DeviceRow &row : m_rows)
            row.MAP->setEnabled(true);
        m_readSettings->hide();
        m_storeSettings->hide();
        ProgressWindow &progress = m_host.progressWindow();
        progress.begin(QStringLiteral("Loading Settings from Controller...."), this);
        result = readWholeMemory(m_protocol, [&progress](int a) { progress.setAddress(a); });
        progress.hide();
    }
    if (!result.ok()) {
        m_readSettings->show();
        m_storeSettings->show();
        if (!m_protocol.link().aborted())
            m_host.showMessage(result.message + QStringLiteral(" The settings shown were kept."));
        return;
    }
    m_image = result.image;
    SyncSettings();
    m_readSettings->show();
    m_storeSettings->show();
    for (DeviceRow &row : m_rows)
        row.SNTB->setText(row.C3->caption());
    for (int r = 0; r < map::kRowCount; ++r) {
        m_rows[r].MAP->setEnabled(true);
        m_rows[r].MAP->setText(QString::number(m_image.value(map::mappingAddress(r))));
    }
}

void ConfigWindow::StoreSettings_Click() {
    if (!prepareTransfer([this] { StoreSettings_Click(); }))
        return;
    const auto badRows = rowsWithBadMappingByte();
    if (!badRows.empty()) {
        QStringList rows;
        for (int r : badRows)
            rows << QString::number(r + 1);
        m_host.showMessage(QStringLiteral("Nothing was stored: the mapping bytes of rows %1 lie "
                                          "outside 0 to 255. Correct them first.")
                               .arg(rows.join(QStringLiteral(", "))));
        return;
    }
    m_image.setValue(map::kModeByte, CommModeValue + LiteValue + RemapValue + ForceDelayValue);
    auto session = m_protocol.link().tryBegin();
    if (!session)
        return;
    m_readSettings->hide();
    m_storeSettings->hide();
    ProgressWindow &progress = m_host.progressWindow();
    progress.begin(QStringLiteral("Storing Settings in Tessel Module...."), this);
    const TransferResult result =
        storeWholeMemory(m_protocol, m_image, [&progress](int a) { progress.setAddress(a); });
    if (!result.ok() && !m_protocol.link().aborted())
        m_host.showMessage(result.message);
    progress.hide();
    m_readSettings->show();
    m_storeSettings->show();
}

void ConfigWindow::CreateExplanation_Click() {
    m_host.showReport(profileText(m_image));
}

void ConfigWindow::closeEvent(QCloseEvent *event) {
    event->accept();
    m_host.windowClosed();
}

// ---------------------------------------------------------------- pointer help

void ConfigWindow::installPointerHelp() {
    setMouseTracking(true);
    for (QWidget *child : findChildren<QWidget *>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
    m_help->viewport()->installEventFilter(this);
}

void ConfigWindow::setHelpText(const QString &text) {
    m_help->setPlainText(text);
}

void ConfigWindow::lookupHelp(const QString &control, int index) {
    applyHelp(helpFor(m_layout.kind, control, index, helpState(control, index)));
}

void ConfigWindow::applyHelp(const HelpEntry &entry) {
    if (entry.endsEditing)
        ClearInterface();
    if (!entry.text)
        return;
    if (entry.clearFirst)
        m_help->clear();
    setHelpText(*entry.text);
}

bool ConfigWindow::eventFilter(QObject *watched, QEvent *event) {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return QWidget::eventFilter(watched, event);
    QString name = widget->objectName();
    if (widget == m_help->viewport())
        name = m_help->objectName();
    const auto [control, index] = splitElementName(name);
    switch (event->type()) {
    case QEvent::MouseMove: {
        // A move that a child did not take travels up to its parents; only the control
        // directly under the pointer shows its help.
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (!name.isEmpty() && !widget->childAt(at))
            lookupHelp(control, index);
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        const HelpEntry entry = helpForDragOver(m_layout.kind, control);
        applyHelp(entry);
        if (entry.text || widget == m_frame1 || widget == m_frame2)
            static_cast<QDragMoveEvent *>(event)->acceptProposedAction();
        break;
    }
    case QEvent::Drop:
        applyHelp(helpForDrop(m_layout.kind, control));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void ConfigWindow::mouseMoveEvent(QMouseEvent *event) {
    if (!childAt(event->position().toPoint()))
        ClearInterface(); // the window's own background
    QWidget::mouseMoveEvent(event);
}

} // namespace tessel
