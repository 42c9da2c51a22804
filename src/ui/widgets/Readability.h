// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QColor>
#include <QPalette>

namespace tessel {

// How far apart two colours are for a reader, by the WCAG formula: from 1 (the same
// luminance) to 21 (black on white). Text reads well from 4.5 on.
[[nodiscard]] double contrastRatio(const QColor &a, const QColor &b);
inline constexpr double kReadableContrast = 4.5;

// Black or white, whichever reads better on the background.
[[nodiscard]] QColor readableTextOn(const QColor &background);

// A dark desktop's palette, to look at the windows as such a desktop shows them; the program
// takes it when TESSEL_DARK_PALETTE is set.
[[nodiscard]] QPalette darkPalette();
// Applies darkPalette() to the application when the environment asks for it.
void applyPaletteFromEnvironment();

} // namespace tessel
