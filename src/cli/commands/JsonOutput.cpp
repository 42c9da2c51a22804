// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/JsonOutput.h"

#include "core/FieldNames.h"
#include "core/ProfileText.h"
#include "core/SettingChanges.h"
#include "session/SessionOutcome.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace tessel {

namespace {
QJsonObject header(const QString &where, std::optional<ModuleKind> kind) {
    return versioned(
        {{QStringLiteral("port"), where},
         {QStringLiteral("kind"), kind ? QJsonValue(moduleKindKey(*kind)) : QJsonValue()}});
}
} // namespace

QJsonObject versioned(QJsonObject fields) {
    fields.insert(QStringLiteral("schemaVersion"), kJsonSchemaVersion);
    return fields;
}

QJsonObject identityJson(const QString &where, const wire::IdentityReply &identity) {
    QJsonObject o = header(where, identity.moduleKind());
    QJsonArray bytes;
    for (const int b : identity.b)
        bytes.append(b);
    o.insert(QStringLiteral("kindByte"), identity.kind());
    o.insert(QStringLiteral("radio"),
             identity.zigBee() ? QStringLiteral("ZigBee") : QStringLiteral("other"));
    o.insert(QStringLiteral("firmwareVersion"), identity.firmwareVersion());
    o.insert(QStringLiteral("releaseYear"), wire::releaseYearText(identity).toInt());
    o.insert(QStringLiteral("identity"), bytes);
    o.insert(QStringLiteral("message"), wire::identityLine(identity));
    return o;
}

QJsonObject memoryJson(const QString &where, ModuleKind kind, const EepromImage &image) {
    QJsonObject o = header(where, kind);
    QJsonArray memory;
    for (int address = 0; address < kImageSize; ++address)
        memory.append(image.value(address));
    o.insert(QStringLiteral("memory"), memory);
    o.insert(QStringLiteral("profile"), profileText(image));
    return o;
}

QJsonObject differencesJson(const QString &where, ModuleKind kind, const EepromImage &module,
                            const EepromImage &profile) {
    QJsonObject o = header(where, kind);
    QJsonArray list;
    for (const int address : differingAddresses(module, profile)) {
        list.append(QJsonObject{{QStringLiteral("address"), address},
                                {QStringLiteral("block"), address / kBlockSize},
                                {QStringLiteral("field"), fieldName(kind, address)},
                                {QStringLiteral("module"), module.value(address)},
                                {QStringLiteral("profile"), profile.value(address)}});
    }
    // The same differences as the settings the windows show, each with its addresses.
    QJsonArray settings;
    for (const SettingChange &change : settingChanges(kind, module, profile)) {
        QJsonArray addresses;
        for (const ByteChange &b : change.bytes)
            addresses.append(b.address);
        settings.append(QJsonObject{{QStringLiteral("setting"), change.name},
                                    {QStringLiteral("module"), change.before},
                                    {QStringLiteral("profile"), change.after},
                                    {QStringLiteral("addresses"), addresses}});
    }
    o.insert(QStringLiteral("same"), list.isEmpty());
    o.insert(QStringLiteral("differences"), list);
    o.insert(QStringLiteral("settings"), settings);
    return o;
}

QByteArray jsonText(const QJsonObject &document) {
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace tessel
