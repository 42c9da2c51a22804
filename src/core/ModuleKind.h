// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tessel {

// The two kinds of module. Each value is the first byte of the kind's identity reply.
enum class ModuleKind { Tessel = 1, Threshold = 2 };

// What the program calls a kind: the word the command line takes ("tessel") and the words
// messages use ("Tessel module").
struct ModuleKindNames {
    QString key;
    QString text;
};

// The one table of kinds and their names, and the identity byte each kind reports.
[[nodiscard]] ModuleKindNames namesOf(ModuleKind kind);
[[nodiscard]] constexpr int identityByteOf(ModuleKind kind) {
    return static_cast<int>(kind);
}

// The kind a command-line word names ("tessel", "threshold"), or nothing.
[[nodiscard]] std::optional<ModuleKind> moduleKindFromKey(const QString &key);
// The kind an identity reply's first byte reports, or nothing when this program knows none.
[[nodiscard]] std::optional<ModuleKind> moduleKindFromIdentity(int kindByte);
// "tessel or threshold", for messages that say what an option takes.
[[nodiscard]] QString moduleKindKeyChoices();

[[nodiscard]] inline QString moduleKindKey(ModuleKind kind) {
    return namesOf(kind).key;
}
// "Tessel module", "Threshold module".
[[nodiscard]] inline QString moduleKindName(ModuleKind kind) {
    return namesOf(kind).text;
}
// The same in the user's language, for the windows.
[[nodiscard]] QString shownModuleKindName(ModuleKind kind);

} // namespace tessel
