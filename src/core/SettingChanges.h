// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QString>
#include <optional>
#include <vector>

namespace tessel {

// An entry whose value is not known: the addresses of a block whose store was not confirmed.
// No typed value comes near it (a box takes at most three characters).
constexpr int kUnknownEntry = -32768;

// One address of a setting and its two values.
struct ByteChange {
    int address;
    int before;
    int after;
    bool operator==(const ByteChange &) const = default;
};

// A setting that differs between two images, in the words the windows show it in: "Device
// count", "7", "10". A setting may span several addresses (a serial) or be a few bits of one
// (a row's Active state, the communication mode).
struct SettingChange {
    QString name;
    QString before;
    QString after;
    std::vector<ByteChange> bytes; // the setting's addresses whose values differ
    // Made by the window when it showed the module's memory (a value out of its range, a
    // relay function other than 0), not by the operator; the next store writes it all the same.
    bool correction = false;

    // "Device count: 7 → 10", with " (correction)" for a correction.
    [[nodiscard]] QString line() const;
    // "43: 1 → 2, 44: 0 → 5": the addresses of the change with their byte values.
    [[nodiscard]] QString addressText() const;
    bool operator==(const SettingChange &) const = default;
};

// Every setting whose value differs between `before` and `after`, in address order. Every
// address that differs belongs to exactly one listed setting, or (the mode byte, an Active
// mask) to several that share it bit by bit; nothing that differs goes unlisted.
std::vector<SettingChange> settingChanges(ModuleKind kind, const EepromImage &before,
                                          const EepromImage &after);

// What a store of `toStore` changes in a module that holds `module`, where `shown` is that
// memory as the window showed it: a change the operator did not make (the setting is the same
// in `shown` and `toStore`) is a correction.
std::vector<SettingChange> storeChanges(ModuleKind kind, const EepromImage &module,
                                        const EepromImage &shown, const EepromImage &toStore);

// "1 setting", "3 settings".
QString settingsCount(int count);
// Each change's line, one a line, the first `most` of them and "and 4 more".
QString changeLines(const std::vector<SettingChange> &changes, int most = 30);
// "no differences", "1 setting differs (4 of 256 addresses)".
QString settingsSummary(int settings, int addresses);

// The image as a window of `kind` shows it: the values a window cannot show are brought into
// range (a device count above 24 devices, a controller type or a limit type past the end of its
// table), and a Tessel module's relay functions are kept at 0, as the window always has.
EepromImage windowCorrected(ModuleKind kind, EepromImage image);

// The kind of module whose window wrote `memory`, where its bytes tell: a Tessel window keeps
// every relay function at 0, a Threshold window never stores a limit type past the end of its
// table nor, on calculated mapping bytes, more inputs than its 16; a kind's own factory set is
// that kind's. Nothing when the
// bytes fit both kinds or neither.
std::optional<ModuleKind> kindWrittenBy(const ModuleMemory &memory);

} // namespace tessel
