// SPDX-License-Identifier: Apache-2.0
// The window that lists the backups of the module's memory.

#include "core/MemoryMap.h"
#include "session/BackupFolder.h"
#include "support/TestMain.h"
#include "ui/dialogs/BackupsWindow.h"

#include <QApplication>
#include <QLocale>
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
        EepromImage changed = window;
        changed.setValue(map::kDebounce, changed.value(map::kDebounce) + 1);
        const QString older = folder.save(ModuleKind::Tessel, changed, noon, "/dev/ttyUSB0").where;
        const QString newer = folder.save(ModuleKind::Tessel, window, noon.addSecs(60)).where;

        QStringList compared, loaded;
        BackupsWindow backups(ModuleKind::Tessel, folder.path(),
                              {[&] { return window; },
                               [&](const QString &p) { compared << p; },
                               [&](const QString &p) { loaded << p; },
                               {}});
        QTreeWidget *list = backups.list();
        // Newest first: when, what, how many settings differ from the window, and the port.
        QStringList rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int column = 0; column < list->columnCount(); ++column)
                cells << list->topLevelItem(i)->text(column);
            rows << cells.join(" | ");
        }
        const QLocale locale;
        QCOMPARE(rows, (QStringList{
                           locale.toString(noon.addSecs(60).toLocalTime(), QLocale::ShortFormat) +
                               " | devices 9B1F0037, 9B050016 and 5 more | 0 | (not recorded)",
                           locale.toString(noon.toLocalTime(), QLocale::ShortFormat) +
                               " | devices 9B1F0037, 9B050016 and 5 more | 1 | /dev/ttyUSB0"}));

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
