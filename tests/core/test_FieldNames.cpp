#include "core/FieldNames.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace tessel;

namespace {

struct NameCase {
    int address;
    const char *tessel;
    const char *threshold;
};

} // namespace

TEST(fieldName, names_per_module_kind) {
    const NameCase cases[] = {
        {0, "base serial byte 1", "base serial byte 1"},
        {1, "base serial byte 2", "base serial byte 2"},
        {3, "base serial byte 4", "base serial byte 4"},
        {4, "unused address 4", "base serial byte 5"},
        {5, "unused address 5", "base serial byte 6"},
        {6, "device count", "device count"},
        {7, "debounce", "capture speed"},
        {8, "refresh", "reaction interval"},
        {9, "active mask (rows 1-8)", "active mask (rows 1-8)"},
        {10, "active mask (rows 9-16)", "active mask (rows 9-16)"},
        {11, "active mask (rows 17-24)", "active mask (rows 17-24)"},
        {12, "mode byte", "mode byte"},
        {15, "unused address 15", "unused address 15"},
        // Row 1's record starts at 16; row 3's at 32.
        {16, "row 1 serial byte 1", "row 1 serial byte 1"},
        {32, "row 3 serial byte 1", "row 3 serial byte 1"},
        {33, "row 3 serial byte 2", "row 3 serial byte 2"},
        {34, "row 3 serial byte 3", "input 2 limit type"},
        {35, "row 3 serial byte 4", "lower limit of input 2"},
        {36, "row 3 unused byte +4", "upper limit of input 2"},
        {37, "row 3 unused byte +5", "row 3 unused byte +5"},
        {38, "row 3 relay function", "row 3 unused byte +6"},
        {39, "row 3 controller type", "row 3 controller type"},
        {18, "row 1 serial byte 3", "input 0 limit type"},
        {140, "row 16 unused byte +4", "upper limit of input 15"},
        // Rows 17 to 24 carry no analog input.
        {146, "row 17 serial byte 3", "row 17 unused byte +2"},
        {207, "row 24 controller type", "row 24 controller type"},
        {208, "mapping byte of row 1", "mapping byte of row 1"},
        {212, "mapping byte of row 5", "mapping byte of row 5"},
        {231, "mapping byte of row 24", "mapping byte of row 24"},
        {232, "unused address 232", "unused address 232"},
        {240, "unused address 240", "unused address 240"},
        {255, "unused address 255", "unused address 255"},
        {256, "address 256", "address 256"},
        {-1, "address -1", "address -1"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(fieldName(ModuleKind::Tessel, c.address).toStdString(), c.tessel) << c.address;
        EXPECT_EQ(fieldName(ModuleKind::Threshold, c.address).toStdString(), c.threshold)
            << c.address;
    }
}

TEST(fieldName, every_address_has_its_own_name) {
    // A diff that names two addresses alike would be ambiguous.
    for (ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
        QSet<QString> seen;
        for (int address = 0; address < kImageSize; ++address) {
            const QString name = fieldName(kind, address);
            EXPECT_FALSE(seen.contains(name)) << name.toStdString();
            seen.insert(name);
        }
    }
}
