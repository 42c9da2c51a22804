// The windows on screens smaller than the forms: a 1366x768 laptop, and a 1920x1080 screen at
// twice the scale, which leaves 960x540 for the windows (the screens are set up in main.cpp).

#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/FormControls.h"
#include "ui/ScrollingForm.h"

#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

namespace {

QScreen *screenNamed(const QString &name) {
    for (QScreen *screen : QGuiApplication::screens())
        if (screen->name() == name)
            return screen;
    qFatal("no screen named %s", qPrintable(name));
}

// Shows a top-level window on a screen, as the program shows it.
void showOn(QWidget &window, const QString &screen) {
    window.setScreen(screenNamed(screen));
    window.move(window.screen()->availableGeometry().topLeft());
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        qFatal("the window never became active");
}

QString describe(const QRect &r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Opens or closes the advanced area as the operator does.
void setWide(WindowBench &bench, bool wide) {
    for (int clicks = 0; clicks < 2 && (bench.form()->width() > px(kNarrowWidthTwips)) != wide;
         ++clicks)
        bench.child<QPushButton>("advancedFeatures")->click();
}

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

} // namespace

class SmallScreensTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void configWindow_fitsAndScrollsEveryControlIntoView_data();
    void configWindow_fitsAndScrollsEveryControlIntoView();
};

void SmallScreensTest::configWindow_fitsAndScrollsEveryControlIntoView_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("wide");
    QTest::addColumn<QString>("screen");
    for (const char *screen : {"laptop", "scaled"}) {
        for (const bool wide : {false, true}) {
            QTest::addRow("tessel %d, %s", wide, screen)
                << int(ModuleKind::Tessel) << wide << QString::fromLatin1(screen);
            QTest::addRow("threshold %d, %s", wide, screen)
                << int(ModuleKind::Threshold) << wide << QString::fromLatin1(screen);
        }
    }
}

void SmallScreensTest::configWindow_fitsAndScrollsEveryControlIntoView() {
    QFETCH(int, kind);
    QFETCH(bool, wide);
    QFETCH(QString, screen);
    auto bench = WindowBench::loaded(static_cast<ModuleKind>(kind));
    ConfigWindow &window = *bench->window;
    showOn(window, screen);
    setWide(*bench, wide);
    QCOMPARE(bench->form()->width(), px(wide ? kWideWidthTwips : kNarrowWidthTwips));
    // The scroll bars settle once the resized window has laid out its scroll area.
    QCoreApplication::processEvents();

    const QRect available = window.screen()->availableGeometry();
    QVERIFY2(available.contains(window.frameGeometry()),
             qPrintable(describe(window.frameGeometry()) + " on " + describe(available)));
    auto *scroll = bench->window->findChild<ScrollingForm *>();
    QVERIFY(scroll);

    // Every control the keyboard reaches comes into view when it takes the focus.
    const QList<QWidget *> controls = reachableControls(bench->form());
    QVERIFY2(controls.size() > 15, qPrintable(QString::number(controls.size())));
    for (QWidget *control : controls) {
        control->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), control);
        const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
        QVERIFY2(scroll->viewport()->rect().contains(shown),
                 qPrintable(control->objectName() + " at " + describe(shown) + " in " +
                            describe(scroll->viewport()->rect())));
    }
}

TESSEL_TEST_OBJECT(SmallScreensTest);
#include "test_SmallScreens.moc"
