// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/MemoryMap.h"
#include "ui/widgets/FormControls.h"

#include <QObject>
#include <array>
#include <set>
#include <vector>

class QLineEdit;
class QPushButton;

namespace tessel {

struct WindowLook;

// The device table: a row for each of the 24 devices a module may talk to, showing its
// number, whether it is active, its serial (typed in a serial editor over the cell), its
// controller type (stepped with the "<" and ">" buttons), its function, the inputs assigned
// to it, its mapping byte and what that byte maps to.
//
// The cells are children of the window itself, so that pointer help and the window's
// background see them like any other control; this object builds them, runs their
// handlers and shows the image in them. Which rows are in use is the image's device count,
// whether the mapping bytes are calculated is the mapping mode last chosen.
class DeviceTable : public QObject {
    Q_OBJECT
public:
    DeviceTable(EepromImage &image, const WindowLook &look, QWidget *window);

    // Rows 0 to `lastRow` show; the others hide and cannot be used.
    void showRowsInUse(int lastRow);
    // A new device count: its rows show and their inputs are assigned again.
    void showDeviceCount(int lastRow);

    // Each shows one column of every row as the image holds it.
    void showActiveStates();
    void showSerials();
    void showMappingBytes();
    void showTypes();
    void showFunction(int row, const QString &caption);

    // A serial given by the program, as if typed into the row's serial box.
    void enterRowSerial(int row, const QString &serial);
    // Calculated mapping bytes are shown and written to the image; custom ones are typed.
    void showMappingMode(bool calculated);
    // A read rewrites every mapping byte: the boxes take the text whatever the mode.
    void enableMappingBytes();
    // The serial boxes start from the captions, so that an edit starts from what is shown.
    void copySerialsToEditors();
    // Rows whose mapping byte does not fit in one byte; they can never be stored.
    [[nodiscard]] std::vector<int> rowsWithBadMappingByte() const;

    void closeSerialEditors();
    void computeInputAssignment();
    void recolourRows();

Q_SIGNALS:
    // The table's fields that its checks reject now (row serials, rows beyond the module's
    // inputs, mapping bytes), as the operator knows them; empty when every one holds.
    void fieldsChecked(const QStringList &invalid);
    void functionClicked(int index);

private:
    struct DeviceRow {
        CaptionLabel *number, *active, *serial, *type, *function, *inputs, *mapping;
        QLineEdit *serialEditor, *mappingByte;
        QPushButton *previousType, *nextType;
    };

    void buildHeader(const WindowLook &look, QWidget *window);
    void buildRow(int r, const WindowLook &look, QWidget *window);
    void connectRow(int r);

    void toggleActive(int index);
    void editSerial(int index);
    void serialEdited(int index);
    void mappingByteEdited(int index);
    void stepType(int index, int step);

    [[nodiscard]] int lastRowInUse() const;
    [[nodiscard]] std::vector<int> typesInUse() const;
    [[nodiscard]] bool isActive(int row) const;
    void paintRow(int row, const QColor &colour, bool includeActive);
    // Marks every rejected serial and mapping byte again after a repaint, then reports them.
    void markRejected();
    [[nodiscard]] std::vector<int> rowsWithRejectedMapping() const;

    EepromImage &m_image;
    const MemoryLayout &m_layout;
    const int m_maxStepType;
    bool m_calculatedMapping = true;
    std::array<DeviceRow, map::kRowCount> m_rows{};
    // Rows whose serial box, or mapping byte box, holds a text the check rejected. The image
    // keeps the last accepted value, so these rows must not be stored until corrected.
    std::set<int> m_rejectedSerials;
    std::set<int> m_rejectedMapping;
    std::vector<bool> m_beyondCapacity;
};

} // namespace tessel
