// SPDX-License-Identifier: Apache-2.0
// The windows on a screen smaller than the forms: 1920x1080 at twice the scale, which leaves
// 960x540 for the windows (the screen is set up in main.cpp), less than a 1366x768 laptop
// gives in either direction.

#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/config/ScrollingForm.h"
#include "ui/widgets/FormControls.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {

// The controls the operator can reach on the form: shown, enabled, and inside the form
// (the narrow form cuts the advanced area off).
QList<QWidget *> reachableControls(QWidget *form) {
    QList<QWidget *> controls;
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(form) || !w->isEnabled())
            continue;
        if (form->rect().contains(QRect(w->mapTo(form, QPoint(0, 0)), w->size())))
            controls << w;
    }
    return controls;
}

// Inside every widget that holds it, up to its window: no scroll area cuts any of it off.
bool wholeInView(const QWidget *w) {
    for (const QWidget *area = w->parentWidget(); area; area = area->parentWidget()) {
        if (!area->rect().contains(QRect(w->mapTo(area, QPoint(0, 0)), w->size())))
            return false;
    }
    return true;
}

} // namespace

class SmallScreensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void configWindow_fitsAndScrollsEveryControlIntoView_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("wide");
        for (const bool wide : {false, true}) {
            QTest::addRow("tessel %d", wide) << int(ModuleKind::Tessel) << wide;
            QTest::addRow("threshold %d", wide) << int(ModuleKind::Threshold) << wide;
        }
    }

    void configWindow_fitsAndScrollsEveryControlIntoView() {
        QFETCH(int, kind);
        QFETCH(bool, wide);
        auto bench = WindowBench::loaded(static_cast<ModuleKind>(kind));
        ConfigWindow &window = *bench->window;
        // Shown on the scaled screen (the last one), as the program shows a window.
        window.setScreen(QGuiApplication::screens().last());
        window.move(window.screen()->availableGeometry().topLeft());
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.screen()->name(), QStringLiteral("scaled"));
        QCOMPARE(window.screen()->geometry().size(), QSize(960, 540));
        // The advanced area opened or closed as the operator does: a window that opened wide for
        // custom mapping bytes still shows its button closed, and takes two clicks to narrow.
        for (int clicks = 0; clicks < 2 && (bench->form()->width() > px(kNarrowWidthTwips)) != wide;
             ++clicks)
            bench->child<QPushButton>("advancedFeatures")->click();
        QCOMPARE(bench->form()->width(), px(wide ? kWideWidthTwips : kNarrowWidthTwips));
        // The scroll bars settle once the resized window has laid out its scroll area.
        QCoreApplication::processEvents();

        QVERIFY(window.screen()->availableGeometry().contains(window.frameGeometry()));

        // Every control the keyboard reaches comes into view when it takes the focus, and the
        // store button stays whole in view wherever the form is scrolled to.
        auto *store = bench->child<QPushButton>("storeSettings");
        QVERIFY(store->isVisible());
        const QList<QWidget *> controls = reachableControls(bench->form()) +
                                          reachableControls(window.findChild<QWidget *>("footer"));
        QVERIFY2(controls.size() > 15, qPrintable(QString::number(controls.size())));
        QVERIFY(controls.contains(store));
        for (QWidget *control : controls) {
            control->setFocus(Qt::TabFocusReason);
            QCOMPARE(QApplication::focusWidget(), control);
            QVERIFY2(wholeInView(control), qPrintable(control->objectName()));
            QVERIFY2(wholeInView(store), qPrintable(control->objectName()));
        }
    }
};

TESSEL_TEST_OBJECT(SmallScreensTest);
#include "test_SmallScreens.moc"
