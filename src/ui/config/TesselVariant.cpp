// SPDX-License-Identifier: Apache-2.0
#include "core/ControllerTypes.h"
#include "core/MemoryMap.h"
#include "ui/config/DeviceTable.h"
#include "ui/config/WindowVariant.h"

namespace tessel {

namespace {

WindowLook tesselLook() {
    return {.kind = ModuleKind::Tessel,
            .objectName = QStringLiteral("tesselWindow"),
            .title = WindowVariant::tr("ZigBee Tessel Module"),
            .initialBaseSerial = {},
            .functionHeader = WindowVariant::tr("Function:"),
            .initialFunctionCaption = {},
            .rowSerialMaxLength = 13,
            .maxStepType = map::kMaxType,
            .debounceBand = {WindowVariant::tr("Step 3: Configure Debounce Setting"), 1200, 855,
                             WindowVariant::tr("Debounce:"), WindowVariant::tr("Debounce")},
            .refreshBand = {WindowVariant::tr("Step 4: Configure Refresh Setting"), 1200, 855,
                            WindowVariant::tr("Refresh:"), WindowVariant::tr("Refresh")}};
}

// The Tessel window: every row switches a relay, and nothing but a transfer uses the link.
class TesselVariant final : public WindowVariant {
public:
    TesselVariant() : WindowVariant(tesselLook()) {}

    void addControls(const WindowParts &parts) override {
        m_image = &parts.image;
        m_table = &parts.table;
    }

    void showRowFunctions() override {
        for (int r = 0; r < map::kRowCount; ++r) {
            if (m_image->value(map::functionAddress(r)) > 0)
                m_image->setValue(map::functionAddress(r), 0);
            const int function = std::max(0, m_image->value(map::functionAddress(r)));
            m_table->showFunction(r, shownRelayFunction(function));
        }
    }

    void functionCellClicked(int index) override {
        const int address = map::functionAddress(index);
        if (m_image->value(address) > 1)
            m_image->setValue(address, 0);
        const int function = std::clamp(m_image->value(address), 0, 3);
        m_table->showFunction(index, shownRelayFunction(function));
    }

    // Only transfers use the link, and they take turns on their own.

    // No help text here depends on what a control shows.
    [[nodiscard]] QString helpState(const QString & /*control*/, int /*index*/) const override {
        return {};
    }

private:
    EepromImage *m_image = nullptr;
    DeviceTable *m_table = nullptr;
};

} // namespace

std::unique_ptr<WindowVariant> makeTesselVariant() {
    return std::make_unique<TesselVariant>();
}

} // namespace tessel
