#include "core/HelpTexts.h"
#include "core/ProfileText.h"
#include "session/BackupFolder.h"
#include "support/TestMain.h"
#include "support/WindowBench.h"
#include "ui/BackupsWindow.h"
#include "ui/ReportWindow.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class HelpAndReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pointer_showsTheControlsText_data();
    void pointer_showsTheControlsText();
    void report_savesAsReadWritesIt();
    void backups_listCompareAndLoadTheChosenOne();
};

// A plain control, an element of an array, a band around its bar, an option of a group, and
// a box that is disabled in the calculated mapping mode. Where no text applies (the form's
// background, the help box, controls without a text, the hidden one-way option, a bar inside
// a band with a text of its own) the broadcast text pointed at before stays.
void HelpAndReportTest::pointer_showsTheControlsText_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("text");
    QTest::newRow("broadcast") << "broadcastToAll" << 1;
    QTest::newRow("device number") << "deviceNumber_3" << 2;
    QTest::newRow("debounce step") << "debounceBand" << 11;
    QTest::newRow("confirmation") << "commMode_1" << 12;
    QTest::newRow("mapping byte") << "mappingByte_5" << 17;
    for (const char *none : {"form", "help", "baseSerial", "nextType_0", "debounce", "commMode_2"})
        QTest::newRow(none) << none << 1;
}

void HelpAndReportTest::pointer_showsTheControlsText() {
    QFETCH(QString, control);
    QFETCH(int, text);
    auto bench = loadedTessel();
    hover(bench->child("broadcastToAll"));
    QWidget *target = bench->child(control);
    if (auto *help = qobject_cast<QPlainTextEdit *>(target))
        target = help->viewport();
    hover(target);
    QCOMPARE(bench->helpText(), helpText(text));
}

void HelpAndReportTest::report_savesAsReadWritesIt() {
    ReportWindow report;
    report.showProfile(profileText(startImage()));
    const QString profile = profileText(factoryImage(ModuleKind::Threshold));
    report.showProfile(profile);
    QCOMPARE(report.text(), profile);
    // Saved as read -o writes it; a folder that is not there is named, not ignored.
    QTemporaryDir dir;
    QVERIFY(report.saveTo(dir.filePath("profile.txt")).isEmpty());
    QCOMPARE(QFileInfo(dir.filePath("profile.txt")).size(), profile.size() + 1);
    QVERIFY(report.saveTo(dir.filePath("no/such/folder.txt")).contains("no/such/folder.txt"));
    QApplication::setActiveWindow(&report);
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

    QStringList compared, loaded;
    BackupsWindow backups(ModuleKind::Tessel, folder.path(),
                          {[&] { return window; }, [&](const QString &p) { compared << p; },
                           [&](const QString &p) { loaded << p; }});
    QTreeWidget *list = backups.list();

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
