// SPDX-License-Identifier: Apache-2.0
#include "core/InputAssignment.h"

#include "core/ControllerTypes.h"
#include "core/NumberText.h"

#include <QCoreApplication>
#include <algorithm>
#include <limits>

namespace tessel {

// The context the windows translate this file's texts in.
struct InputAssignment {
    Q_DECLARE_TR_FUNCTIONS(tessel::InputAssignment)
};

namespace {

// The position of the next free input while the rows are walked; Input + Free == 9 always.
// The bank is 64-bit so that no table, however long, can overflow it.
struct Position {
    qint64 bank = 1;
    int input = 1;
    int free = 8;

    void startNewBanks(qint64 count) {
        bank += count;
        input = 1;
        free = 8;
    }
    void startNewBank() { startNewBanks(1); }
    [[nodiscard]] int mappingByte() const {
        return static_cast<int>(
            std::min<qint64>(8 * bank + input, std::numeric_limits<int>::max()));
    }
};

bool needsNewBank(int consumption, int free) {
    switch (consumption) {
    case 1:
    case 2:
    case 4:
        return free < consumption;
    default:
        return consumption >= 8 && free < 8;
    }
}

// The last bank of a long run is shown with at most two digits, as the column has room for.
QString lastBankDigits(qint64 lastBank) {
    const QString digits = QString::number(lastBank);
    return lastBank < 10 ? digits.left(1) : digits.left(2);
}

QString captionOf(const Position &at, int consumption) {
    //: The input assignment column: bank (or banks) %1, input (or inputs) %2.
    const QString caption = InputAssignment::tr("Bank: %1  Input:%2");
    const QString bank = QString::number(at.bank);
    if (consumption <= 1)
        return caption.arg(bank, withLeadingBlank(at.input));
    if (consumption <= 8) {
        return caption.arg(bank, withLeadingBlank(at.input) + QLatin1Char('-') +
                                     QString::number(at.input + consumption - 1));
    }
    const qint64 lastBank = at.bank + consumption / 8 - 1;
    return caption.arg(bank + QLatin1Char('-') + lastBankDigits(lastBank),
                       withLeadingBlank(at.input) + QStringLiteral("-8"));
}

void take(Position &at, int consumption) {
    if (consumption == 1 || consumption == 2 || consumption == 4) {
        at.input += consumption;
        if (at.input > 8)
            at.startNewBank();
        else
            at.free -= consumption;
    } else if (consumption >= 8) {
        // A run of 8 leaves the bank full; the next row's alignment moves on. Longer runs
        // leave the position at input 1 of the first bank after the run.
        at.input += 8;
        at.free -= 8;
        if (consumption > 8)
            at.startNewBanks(consumption / 8);
    }
}

} // namespace

std::vector<RowAssignment> computeAssignment(const std::vector<int> &typesOfRowsInUse) {
    std::vector<RowAssignment> rows;
    rows.reserve(typesOfRowsInUse.size());
    Position at;
    for (const int type : typesOfRowsInUse) {
        const int consumption = consumptionOf(type);
        if (needsNewBank(consumption, at.free))
            at.startNewBank();
        rows.push_back({captionOf(at, consumption), at.mappingByte()});
        take(at, consumption);
    }
    return rows;
}

std::vector<bool> rowsBeyondCapacity(const std::vector<int> &typesOfRowsInUse, int capacity) {
    std::vector<bool> beyond;
    beyond.reserve(typesOfRowsInUse.size());
    long long total = 0;
    for (const int type : typesOfRowsInUse) {
        total += consumptionOf(type);
        beyond.push_back(total > capacity);
    }
    return beyond;
}

} // namespace tessel
