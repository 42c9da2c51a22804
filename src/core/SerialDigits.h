// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace tessel {

// The bytes of a typed serial of exactly `bytes` bytes, two hex digits a byte in either case,
// with a colon after 8 digits where `withColon` ("0013A200:4032"); nothing for any other text.
std::optional<std::vector<int>> parseSerial(const QString &text, int bytes, bool withColon);

} // namespace tessel
