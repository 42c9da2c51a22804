// SPDX-License-Identifier: Apache-2.0
#include "core/ModuleKind.h"

#include <QCoreApplication>
#include <array>

namespace tessel {

namespace {

struct KindEntry {
    ModuleKind kind;
    const char *key;
    const char *text;
};

constexpr std::array<KindEntry, 2> kKinds = {{
    {ModuleKind::Tessel, "tessel", QT_TRANSLATE_NOOP("tessel::ModuleKind", "Tessel module")},
    {ModuleKind::Threshold, "threshold",
     QT_TRANSLATE_NOOP("tessel::ModuleKind", "Threshold module")},
}};

} // namespace

ModuleKindNames namesOf(ModuleKind kind) {
    for (const KindEntry &entry : kKinds) {
        if (entry.kind == kind)
            return {QString::fromLatin1(entry.key), QString::fromLatin1(entry.text)};
    }
    return {};
}

QString shownModuleKindName(ModuleKind kind) {
    for (const KindEntry &entry : kKinds) {
        if (entry.kind == kind)
            return QCoreApplication::translate("tessel::ModuleKind", entry.text);
    }
    return {};
}

std::optional<ModuleKind> moduleKindFromKey(const QString &key) {
    for (const KindEntry &entry : kKinds) {
        if (key == QLatin1String(entry.key))
            return entry.kind;
    }
    return std::nullopt;
}

std::optional<ModuleKind> moduleKindFromIdentity(int kindByte) {
    for (const KindEntry &entry : kKinds) {
        if (kindByte == identityByteOf(entry.kind))
            return entry.kind;
    }
    return std::nullopt;
}

QString moduleKindKeyChoices() {
    QStringList keys;
    for (const KindEntry &entry : kKinds)
        keys << QString::fromLatin1(entry.key);
    return keys.join(QStringLiteral(" or "));
}

} // namespace tessel
