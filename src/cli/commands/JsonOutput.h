// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Commands.h"
#include "core/EepromImage.h"

#include <QJsonObject>
#include <vector>

namespace tessel {

// The documents --json prints (docs/json.md, one JSON Schema each in docs/schemas/): one object
// each, with the port (or simulated module) it came from under "port". Keys stay stable, so
// that scripts can rely on them; the version changes when a key goes or changes its meaning.
inline constexpr int kJsonSchemaVersion = 1;
// {"schemaVersion": 1} and `fields`.
QJsonObject versioned(QJsonObject fields);

// kind ("tessel", "threshold" or null when unknown), kindByte, radio, firmwareVersion,
// releaseYear, identity (the six bytes), message (the line identify prints).
QJsonObject identityJson(const QString &where, const wire::IdentityReply &identity);

// kind, memory (256 numbers), profile (the production profile text).
QJsonObject memoryJson(const QString &where, ModuleKind kind, const EepromImage &image);

// kind, same, differences: [{address, block, field, module, profile}, ...], and the same as
// settings: [{setting, module, profile, addresses}, ...].
QJsonObject differencesJson(const QString &where, ModuleKind kind, const EepromImage &module,
                            const EepromImage &profile);

// The document as indented JSON text, ending in a newline.
QByteArray jsonText(const QJsonObject &document);

} // namespace tessel
