// Windows a reader can read: text colours that stand out from every fixed background, under
// the desktop's light palette and a dark one, and labels whose value a screen reader speaks.

#include "core/HelpTexts.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/Readability.h"
#include "ui/ReportWindow.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

// Every text-bearing control whose text does not stand out from what it is drawn on.
QStringList unreadable(const QWidget *window) {
    QStringList found;
    auto check = [&](const QWidget *w, const QColor &text, const QColor &background) {
        const double ratio = contrastRatio(text, background);
        if (ratio < kReadableContrast)
            found << QStringLiteral("%1 (%2 on %3: %4)")
                         .arg(w->objectName(), text.name(), background.name())
                         .arg(ratio, 0, 'f', 2);
    };
    for (const QWidget *w : window->findChildren<QWidget *>()) {
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
    return found;
}

// The application's palette and style for the length of one test.
class DesktopLook {
public:
    explicit DesktopLook(bool dark) : m_palette(QApplication::palette()) {
        if (dark) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(darkPalette());
        }
    }
    ~DesktopLook() { QApplication::setPalette(m_palette); }

private:
    QPalette m_palette;
};

QString spokenName(QWidget *widget) {
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

class ReadabilityTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTextReadsOnItsBackground_data();
    void everyTextReadsOnItsBackground();
    void analogPanelLabels_speakTheirValueAndSayWhatTheyAre();
    void settingBar_showsItsFocusAndArrowsMoveItsValue_data();
    void settingBar_showsItsFocusAndArrowsMoveItsValue();
};

void ReadabilityTest::everyTextReadsOnItsBackground_data() {
    QTest::addColumn<bool>("dark");
    QTest::newRow("light desktop") << false;
    QTest::newRow("dark desktop") << true;
}

void ReadabilityTest::everyTextReadsOnItsBackground() {
    QFETCH(bool, dark);
    const DesktopLook look(dark);
    for (const ModuleKind kind : {ModuleKind::Tessel, ModuleKind::Threshold}) {
        auto bench = WindowBench::loaded(kind);
        if (kind == ModuleKind::Threshold) {
            click(bench->child("setLimits"));
            // A failed check shows the message line and marks a limit light red.
            enterLimit(*bench, 2, QStringLiteral("300"));
            QVERIFY(!bench->child("limitMessage")->isHidden());
        }
        const QStringList bad = unreadable(bench->window.get());
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QStringLiteral("\n"))));
    }
    ReportWindow report;
    const QStringList bad = unreadable(&report);
    QVERIFY2(bad.isEmpty(), qPrintable(bad.join(QStringLiteral("\n"))));
}

void ReadabilityTest::analogPanelLabels_speakTheirValueAndSayWhatTheyAre() {
    auto bench = loadedThreshold();
    bench->window->show();
    QVERIFY(QTest::qWaitForWindowActive(bench->window.get()));
    click(bench->child("setLimits"));
    // The keyboard reaching a control shows its help as the pointer would.
    bench->child(name("levelMeter", 4))->setFocus(Qt::TabFocusReason);
    QCOMPARE(bench->helpText(),
             *helpFor(ModuleKind::Threshold, QStringLiteral("levelMeter"), 4).text);
    chooseType(*bench, 2, 2);
    enterLimit(*bench, 18, QStringLiteral("200"));
    bench->module.setAnalogLevel(2, 77);
    click(bench->child(name("levelMeter", 2)));
    const struct {
        const char *array;
        int index;
        QString spoken;
        QString what;
    } labels[] = {
        // Edited here: they differ from the module until stored.
        {"limitType", 2, QStringLiteral("Activate Relay Outside Limits"),
         QStringLiteral("changed, Limit type, input 2")},
        {"limit", 18, QStringLiteral("200"), QStringLiteral("changed, Upper limit, input 2")},
        {"level", 2, QStringLiteral("77"), QStringLiteral("Reading, input 2")},
        {"active", 1, QStringLiteral("Yes"), QStringLiteral("Active, device 2")},
        {"levelMeter", 2, QStringLiteral("77"), QStringLiteral("Level, input 2")},
    };
    for (const auto &label : labels) {
        QWidget *widget = bench->child(name(label.array, label.index));
        QCOMPARE(spokenName(widget), label.spoken);
        QCOMPARE(widget->accessibleDescription(), label.what);
    }
}

void ReadabilityTest::settingBar_showsItsFocusAndArrowsMoveItsValue_data() {
    QTest::addColumn<QString>("bar");
    for (const char *bar : {"deviceCount", "debounce", "refresh"})
        QTest::newRow(bar) << bar;
}

void ReadabilityTest::settingBar_showsItsFocusAndArrowsMoveItsValue() {
    QFETCH(QString, bar);
    auto bench = WindowBench::loaded(ModuleKind::Tessel);
    bench->window->show();
    QVERIFY(QTest::qWaitForWindowActive(bench->window.get()));
    auto *scroll = bench->child<QScrollBar>(bar);
    scroll->setValue(3);
    const QImage unfocused = scroll->grab().toImage();
    scroll->setFocus(Qt::TabFocusReason);
    QVERIFY(scroll->grab().toImage() != unfocused);
    QTest::keyClick(scroll, Qt::Key_Left);
    QCOMPARE(scroll->value(), 2);
    QTest::keyClick(scroll, Qt::Key_Up);
    QCOMPARE(scroll->value(), 3);
}

TESSEL_TEST_OBJECT(ReadabilityTest);
#include "test_Readability.moc"
