// SPDX-License-Identifier: Apache-2.0
#include "ui/desk/ChangeMarks.h"

#include "core/InputAssignment.h"
#include "core/MemoryMap.h"
#include "core/SettingChanges.h"
#include "session/SessionOutcome.h"
#include "ui/widgets/FormControls.h"

#include <QPainter>
#include <QPolygon>
#include <QWidget>
#include <algorithm>

namespace tessel {

namespace {

constexpr int kCornerSize = 8;
constexpr int kLineWidth = 2;

// Drawn over a control, letting the pointer through to it: an amber corner at its top left
// and a line along its bottom. The focus is a frame all round in the highlight colour, so
// the two read apart at a glance, also on one control.
class ChangeFrame : public QWidget {
public:
    explicit ChangeFrame(QWidget *control) : QWidget(control->parentWidget()) {
        setObjectName(control->objectName() + QStringLiteral("_changed"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(control->geometry());
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colours::kChangedMark);
        const int corner = std::min({kCornerSize, width(), height()});
        painter.drawPolygon(QPolygon({{0, 0}, {corner, 0}, {0, corner}}));
        painter.fillRect(0, height() - kLineWidth, width(), kLineWidth, colours::kChangedMark);
    }
};

// The cells that change with the settings but hold none themselves: a row that comes into
// use (or leaves it) with the device count, and the inputs a row is assigned.
QStringList consequences(const EepromImage &module, const EepromImage &shown) {
    const auto rowsInUse = [](const EepromImage &image) {
        return std::clamp(image.value(map::kLastDeviceIndex), 0, map::kMaxLastDeviceIndex) + 1;
    };
    const auto assignment = [&](const EepromImage &image) {
        std::vector<int> types;
        for (int r = 0; r < rowsInUse(image); ++r)
            types.push_back(image.value(map::typeAddress(r)));
        return computeAssignment(types);
    };
    const std::vector<RowAssignment> before = assignment(module);
    const std::vector<RowAssignment> after = assignment(shown);
    QStringList names;
    for (int r = 0; r < map::kRowCount; ++r) {
        const bool was = r < int(before.size());
        const bool is = r < int(after.size());
        if (was != is)
            names << elementName(QStringLiteral("deviceNumber"), r);
        if (is && (!was || before[r].caption != after[r].caption))
            names << elementName(QStringLiteral("inputAssignment"), r);
    }
    return names;
}

QStringList recordControls(ModuleKind kind, int row, int offset) {
    if (offset < layoutOf(kind).rowSerialBytes)
        return {elementName(QStringLiteral("serial"), row),
                elementName(QStringLiteral("serialEditor"), row)};
    if (offset == map::typeAddress(0) - map::kRecordStart)
        return {elementName(QStringLiteral("controllerType"), row)};
    if (kind == ModuleKind::Tessel || row >= map::kAnalogInputs)
        return {};
    const int address = map::recordAddress(row) + offset;
    if (address == map::limitTypeAddress(row))
        return {elementName(QStringLiteral("limitType"), row)};
    if (address == map::lowerLimitAddress(row))
        return {elementName(QStringLiteral("limit"), row)};
    if (address == map::upperLimitAddress(row))
        return {elementName(QStringLiteral("limit"), row + map::kAnalogInputs)};
    return {};
}

QStringList modeControls(int changedBits) {
    QStringList names;
    if (changedBits & map::kCommModeMask) {
        for (int i = 0; i < 3; ++i)
            names << elementName(QStringLiteral("commMode"), i);
    }
    if (changedBits & map::kLiteValue)
        names << QStringLiteral("liteCommands");
    if (changedBits & map::kRemapValue)
        names << elementName(QStringLiteral("mappingMode"), 0)
              << elementName(QStringLiteral("mappingMode"), 1);
    if (changedBits & map::kForceDelayValue)
        names << QStringLiteral("forceDelay");
    return names;
}

} // namespace

QStringList controlsShowing(ModuleKind kind, int address, int a, int b) {
    // A value not known differs in every bit.
    const int changed = a == kUnknownEntry || b == kUnknownEntry ? 0xFF : a ^ b;
    if (address < layoutOf(kind).baseSerialBytes)
        return {QStringLiteral("baseSerial")};
    switch (address) {
    case map::kLastDeviceIndex:
        return {QStringLiteral("deviceCount")};
    case map::kDebounce:
        return {QStringLiteral("debounce")};
    case map::kRefresh:
        return {QStringLiteral("refresh")};
    case map::kModeByte:
        return modeControls(changed);
    default:
        break;
    }
    if (address >= map::kActiveMask && address < map::kModeByte) {
        QStringList names;
        for (int bit = 0; bit < 8; ++bit) {
            if (changed >> bit & 1)
                names << elementName(QStringLiteral("active"),
                                     (address - map::kActiveMask) * 8 + bit);
        }
        return names;
    }
    if (address >= map::kMappingStart && address < map::kMappingStart + map::kRowCount)
        return {elementName(QStringLiteral("mappingByte"), address - map::kMappingStart)};
    if (address >= map::kRecordStart && address < map::kMappingStart) {
        const int relative = address - map::kRecordStart;
        return recordControls(kind, relative / map::kRecordSize, relative % map::kRecordSize);
    }
    return {}; // passed through: the window has no control for it
}

ChangeMarks::ChangeMarks(QWidget &form, ModuleKind kind)
    : QObject(&form), m_form(form), m_kind(kind) {}

void ChangeMarks::show(const EepromImage &module, const EepromImage &shown) {
    unmarkAll();
    for (const QString &name : consequences(module, shown)) {
        if (QWidget *control = m_form.findChild<QWidget *>(name))
            mark(control);
    }
    for (const int address : differingAddresses(module, shown)) {
        for (const QString &name :
             controlsShowing(m_kind, address, module.value(address), shown.value(address))) {
            if (QWidget *control = m_form.findChild<QWidget *>(name))
                mark(control);
        }
    }
}

void ChangeMarks::mark(QWidget *control) {
    for (const Mark &m : m_marks) {
        if (m.control == control)
            return;
    }
    const QString description = control->accessibleDescription();
    control->setAccessibleDescription(description.isEmpty() ? tr("changed")
                                                            : tr("changed, %1").arg(description));
    // A control that is not shown (a row beyond the device count) is marked for a screen
    // reader, but has no frame on screen.
    QWidget *frame = control->isHidden() ? nullptr : new ChangeFrame(control);
    m_marks.push_back({control, frame, description});
}

void ChangeMarks::unmarkAll() {
    for (const Mark &m : m_marks) {
        if (m.control)
            m.control->setAccessibleDescription(m.description);
        delete m.frame;
    }
    m_marks.clear();
}

QList<QWidget *> ChangeMarks::marked() const {
    QList<QWidget *> controls;
    for (const Mark &m : m_marks)
        controls << m.control;
    return controls;
}

} // namespace tessel
