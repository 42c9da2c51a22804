// SPDX-License-Identifier: Apache-2.0
#include "core/TriggerRange.h"

#include "core/EepromImage.h"
#include "core/MemoryMap.h"

#include <algorithm>

namespace tessel {

namespace {
constexpr int kHighestLevel = 255;
}

InputLimits limitsOf(const EepromImage &image, int input) {
    return {std::clamp(image.value(map::limitTypeAddress(input)), 0, map::kMaxLimitType),
            image.value(map::lowerLimitAddress(input)), image.value(map::upperLimitAddress(input))};
}

bool triggers(const InputLimits &limits, int level) {
    switch (limits.type) {
    case 0:
        return level > limits.lower;
    case 1:
        return level < limits.lower;
    case 2:
        return level < limits.lower || level > limits.upper;
    default:
        return level > limits.lower && level < limits.upper;
    }
}

std::vector<LevelSpan> triggerSpans(const InputLimits &limits) {
    std::vector<LevelSpan> spans;
    for (int level = 0; level <= kHighestLevel; ++level) {
        if (!triggers(limits, level))
            continue;
        if (!spans.empty() && spans.back().last == level - 1)
            spans.back().last = level;
        else
            spans.push_back({level, level});
    }
    return spans;
}

QString triggerWord(bool triggered) {
    return triggered ? QStringLiteral("ON") : QStringLiteral("off");
}

int limitFromSeen(int seen, int margin, bool lower) {
    return std::clamp(lower ? seen - margin : seen + margin, 0, kHighestLevel);
}

} // namespace tessel
