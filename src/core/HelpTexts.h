// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QString>
#include <optional>

namespace tessel {

constexpr int kHelpTextCount = 42;

// What pointing at a control does to the help box.
struct HelpEntry {
    std::optional<QString> text; // nothing: the box keeps its text
    bool endsEditing = false;    // the pointer also closes any open row serial editing
    bool clearFirst = false;     // the box is emptied before the text is written
    bool operator==(const HelpEntry &) const = default;
};

// The help box's text before anything is pointed at.
QString initialHelpText();

// Help text number 1 to 42; empty for any other number.
QString helpText(int number);

// Pointer movement over a control of a configuration window. control is the control's
// object name ("deviceNumber", "debounceBand", "commMode", "limitEditor", ...; "form" or the
// window's own name for its background), index the element of a control array. Limit type
// labels and limit boxes depend on the caption the input's limit type label shows, passed as
// limitTypeCaption.
HelpEntry helpFor(ModuleKind window, const QString &control, int index = 0,
                  const QString &limitTypeCaption = {});
// Something dragged over a control.
HelpEntry helpForDragOver(ModuleKind window, const QString &control);
// Something dropped on a control.
HelpEntry helpForDrop(ModuleKind window, const QString &control);

// The explanation of the limit type a limit type label shows; empty for any other caption.
QString limitTypeHelp(const QString &caption);

// Limit boxes 0..15 hold the lower and 16..31 the upper limit of analog inputs 0..15; -1 for
// an index that is no limit box.
int analogInputOfLimitBox(int limitBoxIndex);

} // namespace tessel
