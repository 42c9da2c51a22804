// The help of a limit label or box follows its input's limit type; the window tests hover over
// the controls whose text is fixed.

#include "core/ControllerTypes.h"
#include "core/HelpTexts.h"

#include <gtest/gtest.h>

using namespace tessel;

namespace {
constexpr ModuleKind Threshold = ModuleKind::Threshold;
} // namespace

TEST(helpFor, limit_labels_and_boxes_follow_the_inputs_limit_type) {
    for (int type = 0; type < kLimitTypeCount; ++type) {
        const QString caption = LimitTypeTable()[type];
        EXPECT_EQ(helpFor(Threshold, "limitType", 3, caption).text, helpText(35 + type));
        EXPECT_EQ(helpFor(Threshold, "limitEditor", 19, caption).text, helpText(39 + type));
    }
    // Box 19 is the upper limit of input 3, so its text follows input 3's limit type.
    EXPECT_EQ(analogInputOfLimitBox(19), 3);
    EXPECT_EQ(analogInputOfLimitBox(31), 15);
    EXPECT_EQ(analogInputOfLimitBox(32), -1);
    EXPECT_EQ(helpFor(Threshold, "limitEditor", 32, LimitTypeTable()[3]).text, std::nullopt);
    EXPECT_EQ(helpFor(Threshold, "limitType", 3, "activate relay above limit").text, std::nullopt);
}
