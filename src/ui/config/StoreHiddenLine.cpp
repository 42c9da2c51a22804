// SPDX-License-Identifier: Apache-2.0
#include "ui/config/StoreHiddenLine.h"

namespace tessel {

namespace {
// As many fields as the button's place holds in two lines; the rest are counted.
constexpr int kFieldsNamed = 2;
} // namespace

QString storeHiddenReason(bool transferRuns, const QStringList &invalidFields) {
    if (transferRuns)
        return StoreHiddenLine::tr("Store returns when the transfer under way ends.");
    if (invalidFields.isEmpty())
        return {};
    QStringList named = invalidFields.mid(0, kFieldsNamed);
    if (invalidFields.size() > kFieldsNamed)
        named << StoreHiddenLine::tr("%1 more").arg(invalidFields.size() - kFieldsNamed);
    return StoreHiddenLine::tr("Not stored until corrected: %1.")
        .arg(named.join(QStringLiteral(", ")));
}

StoreHiddenLine::StoreHiddenLine(QWidget *parent) : QLabel(parent) {
    setObjectName(QStringLiteral("storeHiddenReason"));
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAccessibleDescription(tr("Why the store button is hidden"));
    hide();
}

void StoreHiddenLine::showWhy(bool transferRuns, const QStringList &invalidFields) {
    const QString why = storeHiddenReason(transferRuns, invalidFields);
    setText(why);
    setAccessibleName(why);
    setToolTip(
        transferRuns
            ? why
            : tr("Correct these to store: %1.").arg(invalidFields.join(QStringLiteral(", "))));
    setVisible(!why.isEmpty());
}

} // namespace tessel
