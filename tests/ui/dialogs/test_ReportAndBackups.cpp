// SPDX-License-Identifier: Apache-2.0
// The window that lists the backups of the module's memory.

#include "session/BackupFolder.h"
#include "support/TestMain.h"
#include "ui/dialogs/BackupsWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace tessel;
using namespace tessel::testing;

class ReportAndBackupsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void backups_listCompareAndLoadTheChosenOne() {
        QTemporaryDir dir;
        const BackupFolder folder(dir.path());
        const EepromImage window = factoryImage(ModuleKind::Tessel);
        const QDateTime noon(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC);
        const QString older = folder.save(ModuleKind::Tessel, window, noon, "/dev/ttyUSB0").where;
        const QString newer = folder.save(ModuleKind::Tessel, window, noon.addSecs(60)).where;

        QStringList compared, loaded;
        BackupsWindow backups(ModuleKind::Tessel, folder.path(),
                              {[&] { return window; },
                               [&](const QString &p) { compared << p; },
                               [&](const QString &p) { loaded << p; },
                               {}});
        QTreeWidget *list = backups.list();

        // The newest is chosen at first; Enter on a row compares it, Load takes the chosen one.
        backups.show();
        QVERIFY(QTest::qWaitForWindowExposed(&backups));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(compared, QStringList{newer});
        list->setCurrentItem(list->topLevelItem(1));
        for (QPushButton *b : backups.findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("&Load into Window"))
                b->click();
        QCOMPARE(loaded, QStringList{older});
        QVERIFY(!backups.isVisible());

        // An empty folder offers nothing to compare, load or restore.
        QTemporaryDir empty;
        const BackupsWindow none(ModuleKind::Tessel, empty.path(),
                                 {[&] { return window; }, {}, {}, {}});
        QCOMPARE(none.list()->topLevelItemCount(), 0);
        for (QPushButton *b : none.findChildren<QPushButton *>())
            QCOMPARE(b->isEnabled(),
                     !b->text().contains("Window") && !b->text().contains("Restore"));
    }
};

TESSEL_TEST_OBJECT(ReportAndBackupsTest);
#include "test_ReportAndBackups.moc"
