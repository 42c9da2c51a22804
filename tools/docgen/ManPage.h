// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace tessel::docs {

// The man page of tessel-config in man(7) markup, dated `date` (YYYY-MM-DD).
QString manPage(const QString &version, const QString &date);

} // namespace tessel::docs
