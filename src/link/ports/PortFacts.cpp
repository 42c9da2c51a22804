// SPDX-License-Identifier: Apache-2.0
#include "link/ports/PortFacts.h"

#include "link/ports/PortSetting.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace tessel {

// The context the windows translate this file's texts in.
struct PortFactsText {
    Q_DECLARE_TR_FUNCTIONS(tessel::PortFactsText)
};

namespace {
QString hex4(quint16 value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}
} // namespace

QString PortFacts::vendorProduct() const {
    if (!vendorId)
        return {};
    return hex4(*vendorId) + QLatin1Char(':') +
           (productId ? hex4(*productId) : QStringLiteral("????"));
}

QString PortFacts::summary() const {
    QStringList known;
    for (const QString &text : {description, manufacturer})
        if (!text.isEmpty() && !known.contains(text))
            known << text;
    if (!serialNumber.isEmpty())
        known << PortFactsText::tr("serial %1").arg(serialNumber);
    if (vendorId)
        known << vendorProduct();
    return known.isEmpty() ? name
                           : QStringLiteral("%1 (%2)").arg(name, known.join(QLatin1String(", ")));
}

QString portToPreselect(const std::optional<QString> &remembered, const QList<PortFacts> &ports) {
    if (remembered)
        return *remembered;
    const QString fallback = QString::fromLatin1(kDefaultPortName);
    const PortFacts *onlyAdapter = nullptr;
    for (const PortFacts &port : ports) {
        if (!port.isUsbAdapter())
            continue;
        if (onlyAdapter)
            return fallback; // two adapters: the operator must say which
        onlyAdapter = &port;
    }
    return onlyAdapter ? onlyAdapter->name : fallback;
}

const PortFacts *findPort(const QString &name, const QList<PortFacts> &ports) {
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return nullptr;
    const QString device = deviceForPortName(wanted);
    const QString real = QFileInfo(device).canonicalFilePath();
    for (const PortFacts &port : ports) {
        if (port.name == wanted || port.device == device || port.stableName == device ||
            (!real.isEmpty() && real == QFileInfo(port.device).canonicalFilePath()))
            return &port;
    }
    return nullptr;
}

QString portsPresentText(const QList<PortFacts> &ports) {
    if (ports.isEmpty())
        return PortFactsText::tr("No serial ports are present.");
    QStringList lines;
    for (const PortFacts &port : ports)
        lines << port.summary();
    return PortFactsText::tr("Ports present: %1.").arg(lines.join(QLatin1String("; ")));
}

} // namespace tessel
