// SPDX-License-Identifier: Apache-2.0
#include "ui/desk/WindowDesk.h"

#include "ui/config/ConfigWindow.h"
#include "ui/config/WindowStatusLine.h"
#include "ui/config/WindowVariant.h"
#include "ui/desk/ChangeMarks.h"
#include "ui/desk/EditHistory.h"
#include "ui/desk/HelpActions.h"
#include "ui/desk/ProfileActions.h"
#include "ui/desk/WindowMenus.h"
#include "ui/dialogs/BackupsWindow.h"
#include "ui/dialogs/DifferencesWindow.h"
#include "ui/dialogs/WindowHost.h"
#include "ui/production/ProductionWindow.h"
#include "ui/widgets/WindowPlace.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QUndoStack>
#include <algorithm>

namespace tessel {

namespace {
using Menu = WindowMenus::Menu;

// Steps in one box or on one bar that follow one another are undone together.
const QObject *mergingControl(QObject *watched) {
    if (qobject_cast<QLineEdit *>(watched) || qobject_cast<QAbstractSlider *>(watched))
        return watched;
    return nullptr;
}

// "1 setting not valid: the serial of device 3", "2 settings not stored", "24 corrections
// the next store writes": what the status line counts, most pressing first.
QString unstoredText(const QStringList &invalid, int edits, int corrections) {
    QStringList parts;
    if (!invalid.isEmpty()) {
        parts << WindowDesk::tr("%1 not valid: %2")
                     .arg(settingsCount(int(invalid.size())), invalid.join(QStringLiteral(", ")));
    }
    if (edits > 0)
        parts << settingsCount(edits) + WindowDesk::tr(" not stored");
    if (corrections > 0) {
        parts << (corrections == 1
                      ? WindowDesk::tr("1 correction the next store writes")
                      : WindowDesk::tr("%1 corrections the next store writes").arg(corrections));
    }
    return parts.isEmpty() ? WindowDesk::tr("No changes") : parts.join(QStringLiteral("; "));
}

int correctionsIn(const std::vector<SettingChange> &changes) {
    return int(std::count_if(changes.begin(), changes.end(),
                             [](const SettingChange &c) { return c.correction; }));
}
} // namespace

WindowDesk::WindowDesk(ConfigWindow &window, WindowHost &host)
    : QObject(&window), m_window(window), m_host(host), m_menus(new WindowMenus(window)),
      m_history(new EditHistory(
          [&window] { return window.imageToStore(); },
          [&window](const EepromImage &s) { window.showImage(s, ConfigWindow::ShowAs::Whole); },
          this)),
      m_marks(new ChangeMarks(*window.deskParts().form, window.kind())),
      m_statusLine(&window.statusLine()), m_unstored(new QLabel(m_statusLine)) {
    m_unstored->setObjectName(QStringLiteral("unstoredCount"));
    m_unstored->setAccessibleDescription(tr("Settings that differ from the module's memory"));
    auto *note = new QLabel(m_statusLine);
    note->setObjectName(QStringLiteral("variantNote"));
    note->hide();
    m_statusLine->addPermanentWidget(note);
    m_statusLine->addPermanentWidget(m_unstored);
    connect(&window.variant(), &WindowVariant::statusNote, note, [note](const QString &text) {
        note->setText(text);
        note->setAccessibleName(text);
        note->setVisible(!text.isEmpty());
    });
    connect(&window.variant(), &WindowVariant::editWanted, this, &WindowDesk::loadAsEdits);
    m_profiles = new ProfileActions(window, host, *this);
    addActions(window.deskParts());
    connect(m_history, &EditHistory::settingsChanged, this, &WindowDesk::refresh);
    window.setAcceptDrops(true);
    qApp->installEventFilter(this);
}

WindowDesk::~WindowDesk() {
    qApp->removeEventFilter(this);
}

void WindowDesk::addActions(const DeskParts &parts) {
    m_profiles->addActions(*m_menus);
    m_menus->menu(Menu::File)->addSeparator();
    m_menus->menu(Menu::File)->addActions(m_window.variant().fileActions());
    m_menus->addButton(Menu::File, parts.report);
    m_menus->menu(Menu::File)->addSeparator();
    m_menus->add(Menu::File, tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
                 [this] { m_window.close(); });

    QAction *undo = m_history->stack().createUndoAction(this, tr("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = m_history->stack().createRedoAction(this, tr("&Redo"));
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_menus->menu(Menu::Edit)->addActions({undo, redo});
    m_menus->menu(Menu::Edit)->addSeparator();
    m_menus->add(Menu::Edit, tr("Re&view Changes..."), {}, [this] { reviewChanges(); });

    m_menus->addButton(Menu::Module, parts.read);
    m_menus->addButton(Menu::Module, parts.store);
    m_menus->menu(Menu::Module)->addSeparator();
    m_menus->addButton(Menu::Module, parts.factory);
    m_menus->menu(Menu::Module)->addSeparator();
    m_menus->add(Menu::Module, tr("&Backups..."), {}, [this] { openBackups(); });
    m_menus->add(Menu::Module, tr("&Production..."), {}, [this] {
        // A window of its own that outlives this one's module: it opens its ports itself.
        auto *production = new ProductionWindow(BackupFolder(m_host.backupsFolder()));
        production->setAttribute(Qt::WA_DeleteOnClose);
        production->show();
    });
    if (const QList<QAction *> own = m_window.variant().moduleActions(); !own.isEmpty()) {
        m_menus->menu(Menu::Module)->addSeparator();
        m_menus->menu(Menu::Module)->addActions(own);
    }

    addHelpActions(*m_menus, m_window);
}

void WindowDesk::loadAsEdits(const EepromImage &settings, const QString &what) {
    m_history->checkpoint(tr("Edit"));
    m_window.showImage(settings, ConfigWindow::ShowAs::Whole);
    m_history->checkpoint(what);
}

void WindowDesk::openBackups() {
    auto *backups = new BackupsWindow(m_window.kind(), m_host.backupsFolder(),
                                      {[this] { return m_window.imageToStore(); },
                                       [this](const QString &path) { m_profiles->compare(path); },
                                       [this](const QString &path) { m_profiles->open(path); },
                                       [this](const QString &path) { restoreBackup(path); }},
                                      &m_window);
    backups->setAttribute(Qt::WA_DeleteOnClose);
    rememberPlace(*backups, QStringLiteral("backups"));
    backups->show(); // not modal: the comparison it opens must take input
}

void WindowDesk::restoreBackup(const QString &path) {
    const std::optional<EepromImage> backup = m_profiles->readFile(path);
    if (!backup)
        return;
    // Exactly the backup's bytes: nothing of the window's own settings or corrections.
    const std::vector<SettingChange> changes =
        settingChanges(m_window.kind(), m_window.moduleMemory(), *backup);
    const QString question =
        changes.empty() ? tr("The module holds this backup already. Store it again?")
                        : tr("Restoring this backup changes %1 of the module:\n%2\n\nA backup "
                             "of what the module holds now is saved first. Restore it?")
                              .arg(settingsCount(int(changes.size())), changeLines(changes));
    if (m_host.askQuestion(question))
        m_window.restoreMemory(*backup);
}

int WindowDesk::unstoredCount() const {
    return int(
        settingChanges(m_window.kind(), m_window.moduleBaseline(), m_window.imageToStore()).size());
}

std::vector<SettingChange> WindowDesk::storeChanges() const {
    return tessel::storeChanges(m_window.kind(), m_window.moduleMemory(), m_window.moduleBaseline(),
                                m_window.imageToStore());
}

void WindowDesk::transferStarting() {
    m_history->checkpoint(tr("Edit"));
}

void WindowDesk::transferEnded(SessionJob job) {
    if (job == SessionJob::Read)
        m_history->checkpoint(tr("Read Settings"));
    refresh();
}

void WindowDesk::restart() {
    m_history->restart();
}

void WindowDesk::checkpoint(const QString &what) {
    m_history->checkpoint(what);
}

bool WindowDesk::mayClose() {
    if (unstoredCount() == 0)
        return true;
    switch (m_host.askStoreBeforeClosing(changeLines(storeChanges()))) {
    case ClosingChoice::Discard:
        return true;
    case ClosingChoice::Cancel:
        return false;
    case ClosingChoice::Store:
        break;
    }
    // A store that was refused or failed has told the operator why; the window stays.
    m_window.storeSettings();
    return unstoredCount() == 0;
}

void WindowDesk::refresh() {
    const EepromImage module = m_window.moduleBaseline();
    const EepromImage shown = m_window.imageToStore();
    m_marks->show(module, shown);
    const int count = unstoredCount();
    m_window.setWindowModified(count > 0);
    m_unstored->setText(
        unstoredText(m_window.invalidFields(), count, correctionsIn(storeChanges())));
    m_unstored->setAccessibleName(m_unstored->text());
    if (m_review && m_review->isVisible())
        fillReview();
}

void WindowDesk::reviewChanges() {
    if (!m_review) {
        m_review = new DifferencesWindow(&m_window);
        rememberPlace(*m_review, QStringLiteral("review"));
    }
    fillReview();
    m_review->show();
    m_review->raise();
    m_review->activateWindow();
}

void WindowDesk::fillReview() {
    // What the next store writes: the operator's edits and the window's corrections.
    m_review->setChanges(tr("Review Changes"), tr("module"), tr("next store"), storeChanges());
}

bool WindowDesk::eventFilter(QObject *watched, QEvent *event) {
    const auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // The window's history is the one Undo: a text box's own would undo behind its back.
        const QKeySequence key(static_cast<QKeyEvent *>(event)->keyCombination());
        for (const QAction *action : m_menus->menu(Menu::Edit)->actions()) {
            if (qobject_cast<const QLineEdit *>(widget) && action->shortcuts().contains(key))
                return true;
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (m_profiles->takeFileDrop(event))
            return true;
        if (event->type() == QEvent::Drop)
            afterInput(watched);
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        afterInput(watched);
        break;
    default:
        break;
    }
    return false;
}

void WindowDesk::afterInput(QObject *watched) {
    if (std::exchange(m_checkpointDue, true))
        return;
    // The control's handler runs when the event is delivered; the step is taken after it.
    QTimer::singleShot(0, this, [this, control = mergingControl(watched)] {
        m_checkpointDue = false;
        m_history->checkpoint(tr("Edit"), control);
    });
}

} // namespace tessel
