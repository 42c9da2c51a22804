// SPDX-License-Identifier: Apache-2.0
// Windows a reader can read: text colours that stand out from every fixed background, under
// the desktop's light palette and a dark one, and labels whose value a screen reader speaks.

#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/dialogs/ReportWindow.h"
#include "ui/widgets/Readability.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyleFactory>

using namespace tessel;
using namespace tessel::testing;

namespace {

// The colour a widget's text is drawn on: its own background where it paints one, else that
// of the nearest parent that does, else the window's.
QColor backgroundUnder(const QWidget *widget) {
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(QPalette::Active, w->backgroundRole());
    }
    return widget->palette().color(QPalette::Window);
}

// Fails naming every text-bearing control whose text does not stand out from what it is
// drawn on.
void verifyReadable(const QWidget &window) {
    QStringList found;
    auto check = [&](const QWidget *w, const QColor &text, const QColor &background) {
        if (contrastRatio(text, background) < kReadableContrast)
            found << QStringLiteral("%1 (%2 on %3)")
                         .arg(w->objectName(), text.name(), background.name());
    };
    for (const QWidget *w : window.findChildren<QWidget *>()) {
        const QPalette &p = w->palette();
        if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w))
            check(w, p.color(QPalette::Active, QPalette::Text),
                  p.color(QPalette::Active, QPalette::Base));
        else if (qobject_cast<const QPushButton *>(w))
            check(w, p.color(QPalette::Active, QPalette::ButtonText),
                  p.color(QPalette::Active, QPalette::Button));
        else if (qobject_cast<const QLabel *>(w) || qobject_cast<const QCheckBox *>(w))
            check(w, p.color(QPalette::Active, w->foregroundRole()), backgroundUnder(w));
    }
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QStringLiteral("\n"))));
}

QString spokenName(QWidget *widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

} // namespace

class ReadabilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTextReadsOnItsBackground_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light desktop") << false;
        QTest::newRow("dark desktop") << true;
    }

    void everyTextReadsOnItsBackground() {
        QFETCH(bool, dark);
        const auto restore =
            qScopeGuard([p = QApplication::palette()] { QApplication::setPalette(p); });
        if (dark) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(darkPalette());
        }
        for (const ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
            auto bench = WindowBench::loaded(kind);
            if (kind == ModuleKind::Threshold) {
                click(bench->child("setLimits"));
                // A failed check shows the message line and marks a limit light red.
                enterLimit(*bench, 2, QStringLiteral("300"));
                QVERIFY(!bench->child("limitMessage")->isHidden());
            }
            verifyReadable(*bench->window);
        }
        verifyReadable(ReportWindow());
    }

    void contrastRatio_ofKnownPairs() {
        for (const auto &[text, background, ratio] : {std::tuple{"#000000", "#ffffff", 21.0},
                                                      {"#777777", "#ffffff", 4.48},
                                                      {"#ff0000", "#ffffff", 4.0},
                                                      {"#00ff00", "#000000", 15.3}})
            QVERIFY2(qAbs(contrastRatio(QColor(text), QColor(background)) - ratio) < 0.01, text);
    }

    void keyboardAndScreenReader_reachTheValues() {
        auto bench = loadedThreshold();
        bench->window->show();
        QVERIFY(QTest::qWaitForWindowActive(bench->window.get()));
        // A setting bar shows that it has the focus, and its arrows move the value as it reads.
        auto *bar = bench->child<QScrollBar>(QStringLiteral("debounce"));
        bar->setValue(3);
        const QImage unfocused = bar->grab().toImage();
        bar->setFocus(Qt::TabFocusReason);
        QVERIFY(bar->grab().toImage() != unfocused);
        QTest::keyClick(bar, Qt::Key_Left);
        QCOMPARE(bar->value(), 2);
        QTest::keyClick(bar, Qt::Key_Up);
        QCOMPARE(bar->value(), 3);
        click(bench->child("setLimits"));
        chooseType(*bench, 2, 2);
        enterLimit(*bench, 18, QStringLiteral("200"));
        bench->module.setAnalogLevel(2, 77);
        click(bench->child("levelMeter_2"));
        // Edited here, the limit differs from the module until stored; the meter speaks its level.
        QCOMPARE(spokenName(bench->child("limit_18")), QStringLiteral("200"));
        QCOMPARE(bench->child("limit_18")->accessibleDescription(),
                 QStringLiteral("changed, Upper limit, input 2"));
        QCOMPARE(spokenName(bench->child("levelMeter_2")), QStringLiteral("77"));
        QCOMPARE(bench->child("levelMeter_2")->accessibleDescription(),
                 QStringLiteral("Level, input 2"));
        // Every label speaks what it shows; what it is goes in its description.
        for (QLabel *label : bench->window->findChildren<QLabel *>())
            QCOMPARE(spokenName(label), label->text());
    }
};

TESSEL_TEST_OBJECT(ReadabilityTest);
#include "test_Readability.moc"
