#pragma once

// The Threshold window on its bench, and the operator's ways through its analog panel.

#include "core/MemoryMap.h"
#include "support/WindowBench.h"

#include <QLineEdit>
#include <QtTest>

namespace tessel::testing {

using ThresholdBench = WindowBench;

constexpr qint64 kMillis = 1000;

inline std::unique_ptr<ThresholdBench> loadedBench() {
    return ThresholdBench::loaded(ModuleKind::Threshold);
}

inline QString name(const char *array, int index) {
    return elementName(QString::fromLatin1(array), index);
}

inline bool panelOpen(ThresholdBench &bench) {
    return !bench.child("analogPanel")->isHidden() && !bench.child("limitsArea")->isHidden();
}

// The factory set's first row alone takes 32 inputs, more than the module has, so a store
// is not offered for it; two rows of 8 inputs fit exactly.
inline void showTableWithinCapacity(ThresholdBench &bench) {
    EepromImage image = bench.window->image();
    image.setValue(map::kLastDeviceIndex, 1);
    image.setValue(map::typeAddress(0), 4);
    image.setValue(map::typeAddress(1), 4);
    bench.window->showImage(image);
}

// Click a type label until the row shows the type.
inline void chooseType(ThresholdBench &bench, int input, int type) {
    for (int clicks = 0; clicks < 4; ++clicks) {
        if (bench.window->image().value(map::limitTypeAddress(input)) == type)
            return;
        click(bench.child(name("limitType", input)));
    }
    QFAIL("the type label never showed the type");
}

// Click a limit label and type into its box.
inline void typeLimit(ThresholdBench &bench, int box, const QString &text) {
    click(bench.child(name("limit", box)));
    auto *editor = bench.child<QLineEdit>(name("limitEditor", box));
    QVERIFY(!editor->isHidden());
    editor->setText(text);
}

// The pointer over the panel's background, which copies the limits into the image.
inline void moveOverPanel(ThresholdBench &bench) {
    hover(bench.child("limitsArea"), {3, 3});
}

// Typing one limit and moving on over the panel, as the operator's pointer does on its way.
inline void enterLimit(ThresholdBench &bench, int box, const QString &text) {
    typeLimit(bench, box, text);
    moveOverPanel(bench);
}

// The entries from `first` to `last` of the module's memory and of an image agree.
inline bool sameRange(const ModuleMemory &memory, const EepromImage &image, int first, int last) {
    for (int a = first; a <= last; ++a) {
        if (memory[a] != image.value(a))
            return false;
    }
    return true;
}

// The inputs of the ReadAnalogInput commands the module received from `from` on.
inline QList<int> analogRequests(const ThresholdBench &bench, std::size_t from = 0) {
    QList<int> inputs;
    const auto &commands = bench.module.commands();
    for (std::size_t i = from; i < commands.size(); ++i) {
        if (commands[i].size() == 2 && commands[i][0] == char(2))
            inputs << static_cast<quint8>(commands[i][1]);
    }
    return inputs;
}

inline const QString kAbove = QStringLiteral("Activate Relay Above Limit");
inline const QString kBelow = QStringLiteral("Activate Relay Below Limit");
inline const QString kOutside = QStringLiteral("Activate Relay Outside Limits");
inline const QString kInside = QStringLiteral("Activate Relay Inside Limits");

} // namespace tessel::testing
