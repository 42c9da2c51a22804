// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QLabel>
#include <QStringList>

namespace tessel {

// Stands in the store button's place while the button is hidden and says what keeps it hidden:
// a transfer under way, or the fields the window's checks reject, by the names a refused store
// gives them. Its text is its accessible name; the whole list is its tool tip.
class StoreHiddenLine : public QLabel {
    Q_OBJECT
public:
    explicit StoreHiddenLine(QWidget *parent = nullptr);

    // Shows why a store is not offered, or hides the line when it is.
    void showWhy(bool transferRuns, const QStringList &invalidFields);
};

// The line's text; empty when nothing keeps the store button hidden.
[[nodiscard]] QString storeHiddenReason(bool transferRuns, const QStringList &invalidFields);

} // namespace tessel
