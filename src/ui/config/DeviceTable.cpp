// SPDX-License-Identifier: Apache-2.0
#include "ui/config/DeviceTable.h"

#include "core/ControllerTypes.h"
#include "core/InputAssignment.h"
#include "core/NumberText.h"
#include "core/SettingsCheck.h"
#include "ui/config/SerialText.h"
#include "ui/config/WindowVariant.h"

#include <QLineEdit>
#include <QPushButton>

namespace tessel {

namespace {

// Columns of the device table: left edge and width in twips.
struct Column {
    int left;
    int width;
};
constexpr Column kNumberColumn{120, 600};
constexpr Column kActiveColumn{780, 600};
constexpr Column kSerialColumn{1440, 1260};
constexpr Column kPreviousColumn{2760, 255};
constexpr Column kTypeColumn{3030, 2700};
constexpr Column kNextColumn{5745, 255};
constexpr Column kFunctionColumn{6060, 2580};
constexpr Column kInputsColumn{8700, 3060};
constexpr Column kMappingByteColumn{12960, 780};
constexpr Column kMappingColumn{13800, 2400};
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

QString remappedCaption() {
    return DeviceTable::tr("REMAPPED");
}

QString activeCaption(bool active) {
    return active ? DeviceTable::tr("Yes") : DeviceTable::tr("No");
}

// Why row `row` is red when the inputs its controller type needs lie beyond the module's.
QString beyondCapacityReason(const std::vector<int> &types, int row, int capacity,
                             int maxStepType) {
    long long needed = 0;
    for (int r = 0; r <= row; ++r)
        needed += consumptionOf(types[r]);
    // The type with the most channels that the inputs left before this row still take.
    const long long left = capacity - (needed - consumptionOf(types[row]));
    QString fits = DeviceTable::tr(" No controller type fits here: use fewer devices.");
    for (int type = maxStepType; type >= 0 && left > 0; --type) {
        if (consumptionOf(type) <= left) {
            fits = (consumptionOf(type) == 1 ? DeviceTable::tr(" \"%1\" (%2 input) fits here.")
                                             : DeviceTable::tr(" \"%1\" (%2 inputs) fits here."))
                       .arg(shownControllerTypeName(type).trimmed())
                       .arg(consumptionOf(type));
            break;
        }
    }
    const QString who =
        row == 0 ? DeviceTable::tr("The controller type of device 1 needs")
                 : DeviceTable::tr("The controller types of devices 1 to %1 need").arg(row + 1);
    return DeviceTable::tr("%1 %2 inputs, but the module has %3.%4")
        .arg(who)
        .arg(needed)
        .arg(capacity)
        .arg(fits);
}

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
    auto *title = makeLabel(QStringLiteral("tableTitle"),
                            tr("Configure Communication to Multiple Destination "
                               "Controllers"),
                            window);
    title->setGeometry(twipRect(120, 2280, 12600, 285));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    // The header line: one word per column so that each sits over its column whatever the font.
    auto *headLine = new QWidget(window);
    headLine->setObjectName(QStringLiteral("tableHeads"));
    headLine->setGeometry(twipRect(0, 2640, kWideWidthTwips, 300));
    const std::pair<Column, QString> heads[] = {
        {kNumberColumn, tr("Device:")},
        {kActiveColumn, tr("Active:")},
        {kSerialColumn, tr("Serial:")},
        {kTypeColumn, tr("Controller Type:")},
        {kFunctionColumn, look.functionHeader},
        {kInputsColumn, tr("Input Assignment:")},
        {Column{kMappingByteColumn.left,
                kMappingColumn.left + kMappingColumn.width - kMappingByteColumn.left},
         tr("MAP Byte: (remapping)")}};
    for (const auto &[column, word] : heads) {
        auto *head = new QLabel(word, headLine);
        head->setGeometry(twipRect(column.left, 0, column.width, 300));
    }
    headLine->setAccessibleName(
        tr("Device: Active: Serial: Controller Type: Function: Input Assignment: "
           "MAP Byte: (remapping)"));
}

void DeviceTable::buildRow(int r, const WindowLook &look, QWidget *window) {
    DeviceRow &row = m_rows[r];
    const QString device = tr("device %1").arg(r + 1);
    auto cell = [&](const QString &array, Column column, const QString &what) {
        CaptionLabel *label = makeLabel(elementName(array, r), {}, window);
        label->setGeometry(cellRect(column, r));
        label->setFrameShape(QFrame::Box);
        // The caption is what a screen reader speaks; the description says where it stands.
        label->setAccessibleDescription(what + QStringLiteral(", ") + device);
        return label;
    };
    row.number = cell(QStringLiteral("deviceNumber"), kNumberColumn, tr("Device"));
    row.number->setAlignment(Qt::AlignCenter);
    row.active = cell(QStringLiteral("active"), kActiveColumn, tr("Active"));
    row.active->setAlignment(Qt::AlignCenter);
    row.active->setClickable(true);
    row.serial = cell(QStringLiteral("serial"), kSerialColumn, tr("Serial"));
    row.serial->setAlignment(Qt::AlignCenter);
    row.serial->setClickable(true);
    row.serialEditor = new QLineEdit(QStringLiteral("????"), window);
    takeUpperCase(row.serialEditor);
    row.serialEditor->setObjectName(elementName(QStringLiteral("serialEditor"), r));
    row.serialEditor->setGeometry(cellRect(kSerialColumn, r).adjusted(-3, -2, 3, 2));
    row.serialEditor->setAccessibleName(tr("Serial of ") + device);
    row.serialEditor->setAccessibleDescription(tr("Serial, ") + device);
    row.serialEditor->setMaxLength(look.rowSerialMaxLength);
    row.serialEditor->hide();
    row.previousType =
        makeButton(elementName(QStringLiteral("previousType"), r), QStringLiteral("<"), window);
    row.previousType->setGeometry(cellRect(kPreviousColumn, r));
    row.previousType->setAccessibleName(tr("Previous controller type for ") + device);
    row.type = cell(QStringLiteral("controllerType"), kTypeColumn, tr("Controller type"));
    row.nextType =
        makeButton(elementName(QStringLiteral("nextType"), r), QStringLiteral(">"), window);
    row.nextType->setGeometry(cellRect(kNextColumn, r));
    row.nextType->setAccessibleName(tr("Next controller type for ") + device);
    row.function = cell(QStringLiteral("function"), kFunctionColumn, tr("Function"));
    row.function->setClickable(true);
    row.function->setCaption(look.initialFunctionCaption);
    row.inputs = cell(QStringLiteral("inputAssignment"), kInputsColumn, tr("Input assignment"));
    row.mappingByte = new QLineEdit(QStringLiteral("???"), window);
    row.mappingByte->setObjectName(elementName(QStringLiteral("mappingByte"), r));
    row.mappingByte->setGeometry(cellRect(kMappingByteColumn, r));
    row.mappingByte->setAccessibleName(tr("Mapping byte of ") + device);
    row.mappingByte->setAccessibleDescription(tr("Mapping byte, ") + device);
    row.mappingByte->setFrame(false);
    setBackground(row.mappingByte, colours::kLightRed);
    row.mapping = cell(QStringLiteral("mapping"), kMappingColumn, tr("Mapping"));
    for (CaptionLabel *grey : {row.number, row.inputs, row.mapping})
        setBackground(grey, colours::kGrey);
    for (QPushButton *step : {row.previousType, row.nextType}) {
        step->setAutoDefault(false);
        step->setAccessibleDescription(tr("Controller type, ") + device);
    }
}

void DeviceTable::connectRow(int r) {
    const DeviceRow &row = m_rows[r];
    connect(row.active, &CaptionLabel::clicked, this, [this, r] { toggleActive(r); });
    connect(row.serial, &CaptionLabel::clicked, this, [this, r] { editSerial(r); });
    connect(row.function, &CaptionLabel::clicked, this, [this, r] { Q_EMIT functionClicked(r); });
    connect(row.serialEditor, &QLineEdit::textChanged, this, [this, r] { serialEdited(r); });
    // Keyboard users end an in-place edit with Enter or by leaving the box.
    connect(row.serialEditor, &QLineEdit::editingFinished, this, &DeviceTable::closeSerialEditors);
    connect(row.nextType, &QPushButton::clicked, this, [this, r] { stepType(r, +1); });
    connect(row.previousType, &QPushButton::clicked, this, [this, r] { stepType(r, -1); });
    connect(row.mappingByte, &QLineEdit::textChanged, this, [this, r] { mappingByteEdited(r); });
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
        m_rows[r].number->setCaption(QString::number(r + 1));
    for (int r = 0; r < map::kRowCount; ++r) {
        const DeviceRow &row = m_rows[r];
        const bool inUse = r <= lastRow;
        for (QWidget *w : std::initializer_list<QWidget *>{
                 row.number, row.active, row.serial, row.type, row.function, row.inputs,
                 row.mapping, row.nextType, row.previousType}) {
            w->setVisible(inUse);
            w->setEnabled(inUse);
        }
        row.mappingByte->setVisible(inUse);
    }
}

void DeviceTable::showDeviceCount(int lastRow) {
    showRowsInUse(lastRow);
    computeInputAssignment();
}

// ---------------------------------------------------------------- showing the image

void DeviceTable::showActiveStates() {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].active->setCaption(activeCaption(isActive(r)));
}

void DeviceTable::showSerials() {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].serial->setCaption(rowSerialText(m_image, m_layout, r));
}

void DeviceTable::showMappingBytes() {
    for (int r = 0; r < map::kRowCount; ++r)
        m_rows[r].mappingByte->setText(QString::number(m_image.value(map::mappingAddress(r))));
}

void DeviceTable::showTypes() {
    for (int r = 0; r < map::kRowCount; ++r) {
        const int type = std::clamp(m_image.value(map::typeAddress(r)), 0, map::kMaxType);
        m_image.setValue(map::typeAddress(r), type);
        m_rows[r].type->setCaption(shownControllerTypeName(type));
    }
}

void DeviceTable::showFunction(int row, const QString &caption) {
    m_rows[row].function->setCaption(caption);
}

void DeviceTable::enableMappingBytes() {
    for (DeviceRow &row : m_rows)
        row.mappingByte->setEnabled(true);
}

// ---------------------------------------------------------------- active, type, serial

void DeviceTable::toggleActive(int index) {
    const bool nowActive = !isActive(index);
    m_rows[index].active->setCaption(activeCaption(nowActive));
    m_image.setBit(map::activeAddress(index), map::activeBit(index), nowActive);
    recolourRows();
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
    m_rows[index].type->setCaption(shownControllerTypeName(type));
    computeInputAssignment();
}

void DeviceTable::serialEdited(int index) {
    DeviceRow &row = m_rows[index];
    const auto bytes = parseSerial(row.serialEditor->text(), m_layout.rowSerialBytes, false);
    if (bytes) {
        m_rejectedSerials.erase(index);
        setBackground(row.serialEditor, colours::windowBackground());
        setBackground(row.serial, colours::windowBackground());
        for (int j = 0; j < m_layout.rowSerialBytes; ++j)
            m_image.setValue(map::recordAddress(index) + j, (*bytes)[j]);
    } else {
        m_rejectedSerials.insert(index);
    }
    markRejected();
}

void DeviceTable::copySerialsToEditors() {
    for (DeviceRow &row : m_rows)
        row.serialEditor->setText(row.serial->caption());
}

void DeviceTable::editSerial(int index) {
    m_rows[index].serialEditor->show();
    m_rows[index].serialEditor->raise();
    copySerialsToEditors();
    m_rows[index].serialEditor->setFocus();
    m_rows[index].serialEditor->selectAll();
}

void DeviceTable::closeSerialEditors() {
    for (DeviceRow &row : m_rows) {
        row.serial->setCaption(row.serialEditor->text());
        row.serialEditor->hide();
    }
}

void DeviceTable::enterRowSerial(int row, const QString &serial) {
    m_rows[row].serial->setCaption(serial);
    m_rows[row].serialEditor->setText(serial);
}

// ---------------------------------------------------------------- input assignment

void DeviceTable::computeInputAssignment() {
    const int n = lastRowInUse();
    const auto assignment = computeAssignment(typesInUse());
    for (int r = 0; r <= n; ++r) {
        DeviceRow &row = m_rows[r];
        row.inputs->setCaption(assignment[r].caption);
        if (m_calculatedMapping) {
            row.mappingByte->setText(withLeadingBlank(assignment[r].mappingByte));
            row.mapping->setCaption(assignment[r].caption);
            m_image.setValue(map::mappingAddress(r), assignment[r].mappingByte);
        } else {
            row.mapping->setCaption(remappedCaption());
        }
    }
    recolourRows();
}

void DeviceTable::showMappingMode(bool calculated) {
    m_calculatedMapping = calculated;
    if (calculated) {
        computeInputAssignment();
        for (DeviceRow &row : m_rows)
            row.mappingByte->setEnabled(false);
    } else {
        for (DeviceRow &row : m_rows) {
            row.mapping->setCaption(remappedCaption());
            row.mappingByte->setEnabled(true);
        }
    }
    recolourRows();
}

void DeviceTable::mappingByteEdited(int index) {
    const MapEntry entry = readMappingText(m_rows[index].mappingByte->text());
    setBackground(m_rows[index].mappingByte,
                  entry.valid ? colours::windowBackground() : colours::kLightRed);
    m_image.setValue(map::mappingAddress(index), entry.value);
    const bool plain = plainByteText(m_rows[index].mappingByte->text());
    if (!plain)
        m_rejectedMapping.insert(index);
    // A corrected byte lifts the marks of its row too.
    if (plain && m_rejectedMapping.erase(index) > 0)
        recolourRows();
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
    for (CaptionLabel *cell : {r.number, r.serial, r.type, r.function, r.inputs})
        setBackground(cell, colour);
    if (includeActive)
        setBackground(r.active, colour);
}

void DeviceTable::recolourRows() {
    const int n = lastRowInUse();
    // Custom mapping bytes say which inputs each device takes: the count is not judged then.
    m_beyondCapacity = m_calculatedMapping
                           ? rowsBeyondCapacity(typesInUse(), m_layout.inputCapacity)
                           : std::vector<bool>(n + 1, false);
    for (int r = 0; r <= n; ++r) {
        if (m_beyondCapacity[r]) {
            const QString why =
                beyondCapacityReason(typesInUse(), r, m_layout.inputCapacity, m_maxStepType);
            const DeviceRow &row = m_rows[r];
            for (CaptionLabel *cell :
                 {row.number, row.active, row.serial, row.type, row.function, row.inputs})
                markInvalid(cell, why);
        } else {
            paintRow(r, colours::windowBackground(), true);
            setBackground(m_rows[r].number, colours::kGrey);
            setBackground(m_rows[r].inputs, colours::kGrey);
        }
    }
    // On a dark palette an inactive row's dark grey is close to the palette's own background.
    const bool dark = colours::windowBackground().lightnessF() < 0.5;
    for (int r = 0; r < map::kRowCount; ++r) {
        DeviceRow &row = m_rows[r];
        for (CaptionLabel *cell : {row.number, row.serial, row.type, row.function, row.inputs})
            cell->setHatched(dark && !isActive(r));
        if (!isActive(r)) {
            paintRow(r, colours::kDarkGrey, false);
            setBackground(row.active, colours::kSilver);
        }
        if (m_calculatedMapping) {
            setBackground(row.mapping, colours::kDarkGrey);
            setBackground(row.mappingByte, colours::kDarkGrey);
        } else {
            setBackground(row.mapping, colours::kGrey);
            setBackground(row.inputs, colours::kDarkGrey);
            setBackground(row.mappingByte, colours::windowBackground());
        }
    }
    markRejected();
}

void DeviceTable::markRejected() {
    QStringList invalid;
    for (int r : m_rejectedSerials) {
        const QString why = tr("The serial typed here is not %1 hexadecimal digits "
                               "(0 to 9, A to F); the one shown before is kept "
                               "until it is.")
                                .arg(2 * m_layout.rowSerialBytes);
        markInvalid(m_rows[r].serial, why);
        markInvalid(m_rows[r].serialEditor, why);
        invalid << tr("serial of device %1").arg(r + 1);
    }
    for (int r = 0; r < static_cast<int>(m_beyondCapacity.size()); ++r) {
        if (m_beyondCapacity[r] && r <= lastRowInUse()) {
            invalid << beyondCapacityField(r, m_layout.inputCapacity);
        }
    }
    // A mapping byte that does not fit in one byte can never be stored: mark it and its row.
    for (int r : rowsWithRejectedMapping()) {
        const QString why = tr("The mapping byte is not a number from 0 to 255.");
        for (QWidget *cell : std::initializer_list<QWidget *>{m_rows[r].mappingByte,
                                                              m_rows[r].number, m_rows[r].mapping})
            markInvalid(cell, why);
        invalid << tr("mapping byte of device %1").arg(r + 1);
    }
    Q_EMIT fieldsChecked(invalid);
}

} // namespace tessel
