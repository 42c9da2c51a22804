#include "core/HelpTexts.h"
#include "core/ProfileText.h"
#include "session/BackupFolder.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/BackupsWindow.h"
#include "ui/ReportWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class HelpAndReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pointer_showsTheControlsText_data();
    void pointer_showsTheControlsText();
    void pointer_leavesTheTextWhereNoneApplies();
    void report_wrapsBetweenValuesAndSaves();
    void backups_listCompareAndLoadTheChosenOne();
};

// A plain control, an element of an array, a band around its bar, an option of a group, and
// a box that is disabled in the calculated mapping mode.
void HelpAndReportTest::pointer_showsTheControlsText_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("text");
    QTest::newRow("broadcast") << "broadcastToAll" << 1;
    QTest::newRow("device number") << "deviceNumber_3" << 2;
    QTest::newRow("debounce step") << "debounceBand" << 11;
    QTest::newRow("confirmation") << "commMode_1" << 12;
    QTest::newRow("mapping byte") << "mappingByte_5" << 17;
}

void HelpAndReportTest::pointer_showsTheControlsText() {
    QFETCH(QString, control);
    QFETCH(int, text);
    auto bench = loadedTessel();
    hover(bench->child(control));
    QCOMPARE(bench->helpText(), helpText(text));
}

void HelpAndReportTest::pointer_leavesTheTextWhereNoneApplies() {
    auto bench = loadedTessel();
    hover(bench->child("broadcastToAll"));
    // The form's background, the help box, controls without a text, and the hidden one-way option.
    hover(bench->form());
    hover(bench->child<QPlainTextEdit>("help")->viewport());
    hover(bench->child("baseSerial"));
    hover(bench->child("nextType_0"));
    hover(bench->child("debounce")); // inside the debounce step, which has a text of its own
    hover(bench->child("commMode_2"));
    QCOMPARE(bench->helpText(), helpText(1));
}

void HelpAndReportTest::report_wrapsBetweenValuesAndSaves() {
    ReportWindow report;
    report.showProfile(profileText(startImage()));
    const QString profile = profileText(factoryImage(ModuleKind::Threshold));
    report.showProfile(profile);
    QCOMPARE(report.text(), profile);
    // The records wrap between values, never inside a number.
    QApplication::setActiveWindow(&report);
    QCoreApplication::processEvents();
    const QTextLayout *layout =
        report.findChild<QPlainTextEdit *>("profileText")->document()->firstBlock().layout();
    QVERIFY(layout->lineCount() > 1);
    for (int i = 1; i < layout->lineCount(); ++i) {
        const int start = layout->lineAt(i).textStart();
        QVERIFY2(!(profile.at(start - 1).isDigit() && profile.at(start).isDigit()),
                 qPrintable(profile.mid(start - 4, 8)));
    }
    // Saved as read -o writes it; a folder that is not there is named, not ignored.
    QTemporaryDir dir;
    QVERIFY(report.saveTo(dir.filePath("profile.txt")).isEmpty());
    QFile saved(dir.filePath("profile.txt"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), profile.toLatin1() + '\n');
    QVERIFY(report.saveTo(dir.filePath("no/such/folder.txt")).contains("no/such/folder.txt"));
    QTest::keyClick(&report, Qt::Key_Escape);
    QVERIFY(!report.isVisible());
}

void HelpAndReportTest::backups_listCompareAndLoadTheChosenOne() {
    QTemporaryDir dir;
    const BackupFolder folder(dir.path());
    EepromImage window = factoryImage(ModuleKind::Tessel);
    EepromImage changed = window;
    for (const int a : {20, 21, 100})
        changed.setValue(a, changed.value(a) ^ 1);
    const QDateTime noon(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
    const QString older = folder.save(ModuleKind::Tessel, window, noon, "/dev/ttyUSB0").where;
    const QString newer = folder.save(ModuleKind::Tessel, changed, noon.addSecs(60)).where;

    QStringList compared;
    QStringList loaded;
    BackupsWindow backups(ModuleKind::Tessel, folder.path(),
                          {[&] { return window; }, [&](const QString &p) { compared << p; },
                           [&](const QString &p) { loaded << p; }});
    // Each tells how many addresses differ from the window.
    QTreeWidget *list = backups.list();
    QCOMPARE(list->topLevelItem(0)->text(2), QStringLiteral("3"));
    QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("0"));

    // The newest is chosen at first; Enter on a row compares it, Load takes the chosen one.
    backups.show();
    QVERIFY(QTest::qWaitForWindowExposed(&backups));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(compared, QStringList{newer});
    list->setCurrentItem(list->topLevelItem(1));
    for (QPushButton *b : backups.findChildren<QPushButton *>()) {
        if (b->text() == QStringLiteral("&Load into Window"))
            b->click();
    }
    QCOMPARE(loaded, QStringList{older});
    QVERIFY(!backups.isVisible());

    // An empty folder offers nothing to compare or load.
    QTemporaryDir empty;
    const BackupsWindow none(ModuleKind::Tessel, empty.path(), {[&] { return window; }, {}, {}});
    QCOMPARE(none.list()->topLevelItemCount(), 0);
    for (QPushButton *b : none.findChildren<QPushButton *>())
        QCOMPARE(b->isEnabled(), !b->text().contains(QStringLiteral("Window")));
}

TESSEL_TEST_OBJECT(HelpAndReportTest);
#include "test_HelpAndReport.moc"
