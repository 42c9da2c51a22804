// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

class QWidget;

namespace tessel {

// Remembers where a top-level window stood and how big it was, under `name` in the program's
// settings, and puts it there again whenever it shows, in this run or a later one. A window
// that fits itself to its content when it shows keeps its fitted size unless the operator
// made it smaller; a place no screen shows any more is moved onto a screen.
void rememberPlace(QWidget &window, const QString &name);

} // namespace tessel
