#include "ui/DeviceTable.h"

#include "core/ControllerTypes.h"
#include "core/InputAssignment.h"
#include "core/NumberText.h"
#include "ui/SerialText.h"
#include "ui/WindowVariant.h"

#include <QLineEdit>
#include <QPushButton>

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

// Whether a mapping byte text says one byte and nothing else. The box's colour follows the
// looser reading of the text, which takes "abc" as 0; a store never sends a byte the box
// does not plainly show.
bool plainByteText(const QString &text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > 3)
        return false;
    for (QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return digits.toInt() <= 255;
}

const QString kRemapped = QStringLiteral("REMAPPED");
const QString kYes = QStringLiteral("Yes");
const QString kNo = QStringLiteral("No");

} // namespace

DeviceTable::DeviceTable(EepromImage &image, const WindowLook &look, QWidget *window)
    : QObject(window), m_image(image), m_layout(layoutOf(look.kind)),
      m_maxStepType(look.maxStepType) {
    buildHeader(look, window);
    for (int r = 0; r < map::kRowCount; ++r)
        buildRow(r, look, window);
    for (int r = 0; r < map::kRowCount; ++r)
        connectRow(r);
}

// ---------------------------------------------------------------- layout

void DeviceTable::buildHeader(const WindowLook &look, QWidget *window) {
    auto *label4 = makeLabel(QStringLiteral("Label4"),
                             QStringLiteral("Configure Communication to Multiple Destination "
                                            "Controllers"),
                             window);
    label4->setGeometry(twipRect(120, 2280, 12600, 285));
    QFont bold = label4->font();
    bold.setBold(true);
    label4->setFont(bold);

    // The header line: one word per column so that each sits over its column whatever the font.
    auto *label2 = new QWidget(window);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(twipRect(0, 2640, kWideWidthTwips, 300));
    const std::pair<Column, QString> heads[] = {
        {kC1, QStringLiteral("Device:")},
        {kC2, QStringLiteral("Active:")},
        {kC3, QStringLiteral("Serial:")},
        {kC4, QStringLiteral("Controller Type:")},
        {kC5, look.functionHeader},
        {kC6, QStringLiteral("Input Assignment:")},
        {Column{kMap.left, kC7.left + kC7.width - kMap.left},
         QStringLiteral("MAP Byte: (remapping)")}};
    for (const auto &[column, word] : heads) {
        auto *head = new QLabel(word, label2);
        head->setGeometry(twipRect(column.left, 0, column.width, 300));
    }
    label2->setAccessibleName(
        QStringLiteral("Device: Active: Serial: Controller Type: Function: Input Assignment: "
                       "MAP Byte: (remapping)"));
}

void DeviceTable::buildRow(int r, const WindowLook &look, QWidget *window) {
    DeviceRow &row = m_rows[r];
    const QString device = QStringLiteral("device %1").arg(r + 1);
    auto cell = [&](const QString &array, Column column, const QString &what) {
        CaptionLabel *label = makeLabel(elementName(array, r), {}, window);
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
    row.SNTB = new QLineEdit(QStringLiteral("????"), window);
    row.SNTB->setObjectName(elementName(QStringLiteral("SNTB"), r));
    row.SNTB->setGeometry(cellRect(kC3, r).adjusted(-3, -2, 3, 2));
    row.SNTB->setAccessibleName(QStringLiteral("Serial of ") + device);
    row.SNTB->setAccessibleDescription(QStringLiteral("Serial, ") + device);
    row.SNTB->setMaxLength(look.rowSerialMaxLength);
    row.SNTB->hide();
    row.DOWN = makeButton(elementName(QStringLiteral("DOWN"), r), QStringLiteral("<"), window);
    row.DOWN->setGeometry(cellRect(kDown, r));
    row.DOWN->setAccessibleName(QStringLiteral("Previous controller type for ") + device);
    row.C4 = cell(QStringLiteral("C4"), kC4, QStringLiteral("Controller type"));
    row.UP = makeButton(elementName(QStringLiteral("UP"), r), QStringLiteral(">"), window);
    row.UP->setGeometry(cellRect(kUp, r));
    row.UP->setAccessibleName(QStringLiteral("Next controller type for ") + device);
    row.C5 = cell(QStringLiteral("C5"), kC5, QStringLiteral("Function"));
    row.C5->setClickable(true);
    row.C5->setCaption(look.initialFunctionCaption);
    row.C6 = cell(QStringLiteral("C6"), kC6, QStringLiteral("Input assignment"));
    row.MAP = new QLineEdit(QStringLiteral("???"), window);
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

void DeviceTable::connectRow(int r) {
    const DeviceRow &row = m_rows[r];
    connect(row.C2, &CaptionLabel::clicked, this, [this, r] { C2_Click(r); });
    connect(row.C3, &CaptionLabel::clicked, this, [this, r] { C3_Click(r); });
    connect(row.C5, &CaptionLabel::clicked, this, [this, r] { Q_EMIT functionClicked(r); });
    connect(row.SNTB, &QLineEdit::textChanged, this, [this, r] { SNTB_Change(r); });
    // Keyboard users end an in-place edit with Enter or by leaving the box.
    connect(row.SNTB, &QLineEdit::editingFinished, this, &DeviceTable::ClearInterface);
    connect(row.UP, &QPushButton::clicked, this, [this, r] { stepType(r, +1); });
    connect(row.DOWN, &QPushButton::clicked, this, [this, r] { stepType(r, -1); });
    connect(row.MAP, &QLineEdit::textChanged, this, [this, r] { MAP_Change(r); });
}

// ---------------------------------------------------------------- rows in use

int DeviceTable::lastRowInUse() const {
    return std::clamp(m_image.value(map::kLastDeviceIndex), 0, map::kMaxLastDeviceIndex);
}

std::vector<int> DeviceTable::typesInUse() const {
    std::vector<int> types;
    const int n = lastRowInUse();
    for (int r = 0; r <= n; ++r)
        types.push_back(m_image.value(map::typeAddress(r)));
    return types;
}

bool DeviceTable::isActive(int row) const {
    return m_image.bit(map::activeAddress(row), map::activeBit(row));
}

void DeviceTable::showRowsInUse(int lastRow) {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].C1->setCaption(QString::number(r + 1));
    for (int r = 0; r < map::kRowCount; ++r) {
        const DeviceRow &row = m_rows[r];
        const bool inUse = r <= lastRow;
        for (QWidget *w : std::initializer_list<QWidget *>{row.C1, row.C2, row.C3, row.C4, row.C5,
                                                           row.C6, row.C7, row.UP, row.DOWN}) {
            w->setVisible(inUse);
            w->setEnabled(inUse);
        }
        row.MAP->setVisible(inUse);
    }
}

void DeviceTable::showDeviceCount(int lastRow) {
    showRowsInUse(lastRow);
    Build_Input_Assignment();
}

// ---------------------------------------------------------------- showing the image

void DeviceTable::showActiveStates() {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].C2->setCaption(isActive(r) ? kYes : kNo);
}

void DeviceTable::showSerials() {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].C3->setCaption(rowSerialText(m_image, m_layout, r));
}

void DeviceTable::showMappingBytes() {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].MAP->setText(QString::number(m_image.value(map::mappingAddress(r))));
}

void DeviceTable::showTypes() {
    for (int r = 0; r < map::kRowCount; ++r) {
        const int type = std::clamp(m_image.value(map::typeAddress(r)), 0, map::kMaxType);
        m_image.setValue(map::typeAddress(r), type);
        m_rows[r].C4->setCaption(ControllerTypeTable()[type]);
    }
}

void DeviceTable::showFunction(int row, const QString &caption) {
    m_rows[row].C5->setCaption(caption);
}

void DeviceTable::enableMappingBytes() {
    for (DeviceRow &row : m_rows)
        row.MAP->setEnabled(true);
}

// ---------------------------------------------------------------- active, type, serial

void DeviceTable::C2_Click(int index) {
    const bool nowActive = !isActive(index);
    m_rows[index].C2->setCaption(nowActive ? kYes : kNo);
    m_image.setBit(map::activeAddress(index), map::activeBit(index), nowActive);
    ColorWords();
}

void DeviceTable::stepType(int index, int step) {
    const int address = map::typeAddress(index);
    // Up wraps to the first type after the last one offered, down from the first to the
    // last; a larger type read from a module steps down one at a time.
    int type = m_image.value(address) + step;
    if (step > 0 && type > m_maxStepType)
        type = 0;
    if (step < 0 && type < 0)
        type = m_maxStepType;
    m_image.setValue(address, type);
    m_rows[index].C4->setCaption(controllerTypeName(type));
    Build_Input_Assignment();
}

void DeviceTable::SNTB_Change(int index) {
    DeviceRow &row = m_rows[index];
    const auto bytes = parseSerial(row.SNTB->text(), m_layout.rowSerialBytes, false);
    if (bytes) {
        m_rejectedSerials.erase(index);
        setBackground(row.SNTB, colours::windowBackground());
        setBackground(row.C3, colours::windowBackground());
        for (int j = 0; j < m_layout.rowSerialBytes; ++j)
            m_image.setValue(map::recordAddress(index) + j, (*bytes)[j]);
    } else {
        m_rejectedSerials.insert(index);
    }
    markRejected();
}

void DeviceTable::copySerialsToEditors() {
    for (DeviceRow &row : m_rows)
        row.SNTB->setText(row.C3->caption());
}

void DeviceTable::C3_Click(int index) {
    m_rows[index].SNTB->show();
    m_rows[index].SNTB->raise();
    copySerialsToEditors();
    m_rows[index].SNTB->setFocus();
    m_rows[index].SNTB->selectAll();
}

void DeviceTable::ClearInterface() {
    for (DeviceRow &row : m_rows) {
        row.C3->setCaption(row.SNTB->text());
        row.SNTB->hide();
    }
}

void DeviceTable::enterRowSerial(int row, const QString &serial) {
    m_rows[row].C3->setCaption(serial);
    m_rows[row].SNTB->setText(serial);
}

// ---------------------------------------------------------------- input assignment

void DeviceTable::Build_Input_Assignment() {
    const int n = lastRowInUse();
    const auto assignment = computeAssignment(typesInUse());
    for (int r = 0; r <= n; ++r) {
        DeviceRow &row = m_rows[r];
        row.C6->setCaption(assignment[r].caption);
        if (m_calculatedMapping) {
            row.MAP->setText(withLeadingBlank(assignment[r].mappingByte));
            row.C7->setCaption(assignment[r].caption);
            m_image.setValue(map::mappingAddress(r), assignment[r].mappingByte);
        } else {
            row.C7->setCaption(kRemapped);
        }
    }
    ColorWords();
}

void DeviceTable::showMappingMode(bool calculated) {
    m_calculatedMapping = calculated;
    if (calculated) {
        Build_Input_Assignment();
        for (DeviceRow &row : m_rows)
            row.MAP->setEnabled(false);
    } else {
        for (DeviceRow &row : m_rows) {
            row.C7->setCaption(kRemapped);
            row.MAP->setEnabled(true);
        }
    }
    ColorWords();
}

void DeviceTable::MAP_Change(int index) {
    const MapEntry entry = readMappingText(m_rows[index].MAP->text());
    setBackground(m_rows[index].MAP,
                  entry.valid ? colours::windowBackground() : colours::kLightRed);
    m_image.setValue(map::mappingAddress(index), entry.value);
    const bool plain = plainByteText(m_rows[index].MAP->text());
    if (!plain)
        m_rejectedMapping.insert(index);
    // A corrected byte lifts the marks of its row too.
    if (plain && m_rejectedMapping.erase(index) > 0)
        ColorWords();
    else
        markRejected();
}

std::vector<int> DeviceTable::rowsWithRejectedMapping() const {
    std::set<int> rows = m_rejectedMapping;
    for (int r : rowsWithBadMappingByte())
        rows.insert(r);
    return {rows.begin(), rows.end()};
}

std::vector<int> DeviceTable::rowsWithBadMappingByte() const {
    std::vector<int> rows;
    for (int r = 0; r < map::kRowCount; ++r) {
        const int v = m_image.value(map::mappingAddress(r));
        if (v < 0 || v > 255)
            rows.push_back(r);
    }
    return rows;
}

// ---------------------------------------------------------------- colours

void DeviceTable::paintRow(int row, const QColor &colour, bool includeActive) {
    const DeviceRow &r = m_rows[row];
    for (CaptionLabel *cell : {r.C1, r.C3, r.C4, r.C5, r.C6})
        setBackground(cell, colour);
    if (includeActive)
        setBackground(r.C2, colour);
}

void DeviceTable::ColorWords() {
    const int n = lastRowInUse();
    m_beyondCapacity = rowsBeyondCapacity(typesInUse(), m_layout.inputCapacity);
    for (int r = 0; r <= n; ++r) {
        if (m_beyondCapacity[r]) {
            paintRow(r, colours::kLightRed, true);
        } else {
            paintRow(r, colours::windowBackground(), true);
            setBackground(m_rows[r].C1, colours::kGrey);
            setBackground(m_rows[r].C6, colours::kGrey);
        }
    }
    for (int r = 0; r < map::kRowCount; ++r) {
        DeviceRow &row = m_rows[r];
        if (!isActive(r)) {
            paintRow(r, colours::kDarkGrey, false);
            setBackground(row.C2, colours::kSilver);
        }
        if (m_calculatedMapping) {
            setBackground(row.C7, colours::kDarkGrey);
            setBackground(row.MAP, colours::kDarkGrey);
        } else {
            setBackground(row.C7, colours::kGrey);
            setBackground(row.C6, colours::kDarkGrey);
            setBackground(row.MAP, colours::windowBackground());
        }
    }
    markRejected();
}

void DeviceTable::markRejected() {
    QStringList invalid;
    for (int r : m_rejectedSerials) {
        setBackground(m_rows[r].C3, colours::kLightRed);
        setBackground(m_rows[r].SNTB, colours::kLightRed);
        invalid << QStringLiteral("serial of device %1").arg(r + 1);
    }
    for (int r = 0; r < static_cast<int>(m_beyondCapacity.size()); ++r) {
        if (m_beyondCapacity[r] && r <= lastRowInUse()) {
            invalid << QStringLiteral("controller type of device %1 (beyond the module's %2 "
                                      "inputs)")
                           .arg(r + 1)
                           .arg(m_layout.inputCapacity);
        }
    }
    // A mapping byte that does not fit in one byte can never be stored: mark it and its row.
    for (int r : rowsWithRejectedMapping()) {
        setBackground(m_rows[r].MAP, colours::kLightRed);
        setBackground(m_rows[r].C1, colours::kLightRed);
        setBackground(m_rows[r].C7, colours::kLightRed);
        invalid << QStringLiteral("mapping byte of device %1").arg(r + 1);
    }
    Q_EMIT fieldsChecked(invalid);
}

} // namespace tessel
