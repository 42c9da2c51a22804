// SPDX-License-Identifier: Apache-2.0
#include "FuzzHarness.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QString broken = tessel::fuzz::checkProfileText(data, size);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "property broken: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
