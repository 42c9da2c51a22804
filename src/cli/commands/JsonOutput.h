#pragma once

#include "core/Commands.h"
#include "core/EepromImage.h"

#include <QJsonObject>
#include <vector>

namespace tessel {

// The documents --json prints: one object each, with the port (or simulated module) it came
// from under "port". Field names stay stable, so that scripts can rely on them.

// kind ("tessel", "threshold" or null when unknown), kindByte, radio, firmwareVersion,
// releaseYear, identity (the six bytes), description (the line identify prints).
QJsonObject identityJson(const QString &where, const wire::IdentityReply &identity);

// kind, memory (256 numbers), profile (the production profile text).
QJsonObject memoryJson(const QString &where, ModuleKind kind, const EepromImage &image);

// kind, same, differences: [{address, field, module, profile}, ...].
QJsonObject differencesJson(const QString &where, ModuleKind kind, const EepromImage &module,
                            const EepromImage &profile, const std::vector<int> &differences);

// The document as indented JSON text, ending in a newline.
QByteArray jsonText(const QJsonObject &document);

} // namespace tessel
