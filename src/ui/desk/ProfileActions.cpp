// SPDX-License-Identifier: Apache-2.0
#include "ui/desk/ProfileActions.h"

#include "core/ProfileText.h"
#include "core/SettingChanges.h"
#include "session/OutputFile.h"
#include "session/SessionOutcome.h"
#include "ui/config/ConfigWindow.h"
#include "ui/config/WindowStatusLine.h"
#include "ui/desk/RecentProfiles.h"
#include "ui/desk/WindowDesk.h"
#include "ui/desk/WindowMenus.h"
#include "ui/dialogs/DifferencesWindow.h"
#include "ui/dialogs/WindowHost.h"
#include "ui/widgets/WindowPlace.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>

namespace tessel {

namespace {
using Menu = WindowMenus::Menu;

constexpr int kSavedNoteMs = 10000;

// The one local file a drag carries; empty for anything else.
QString draggedFile(const QMimeData *data) {
    if (!data || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    return data->urls().constFirst().toLocalFile();
}
} // namespace

ProfileActions::ProfileActions(ConfigWindow &window, WindowHost &host, WindowDesk &desk)
    : QObject(&window), m_window(window), m_host(host), m_desk(desk) {}

void ProfileActions::addActions(WindowMenus &menus) {
    menus.add(Menu::File, tr("&Open Profile..."), QKeySequence::Open, [this] {
        if (const QString path = m_host.chooseFile(FileChoice::OpenProfile); !path.isEmpty())
            open(path);
    });
    m_recent = menus.menu(Menu::File)->addMenu(tr("Open &Recent"));
    m_recent->setObjectName(QStringLiteral("recentProfiles"));
    connect(m_recent, &QMenu::aboutToShow, this, &ProfileActions::fillRecentMenu);
    fillRecentMenu();
    menus.add(Menu::File, tr("&Save Profile As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
              [this] {
                  if (const QString path = m_host.chooseFile(FileChoice::SaveProfile);
                      !path.isEmpty())
                      save(path);
              });
    menus.add(Menu::File, tr("&Compare with Profile..."), {}, [this] {
        if (const QString path = m_host.chooseFile(FileChoice::CompareProfile); !path.isEmpty())
            compare(path);
    });
}

void ProfileActions::fillRecentMenu() {
    m_recent->clear();
    const QStringList files = RecentProfiles().files();
    for (int i = 0; i < files.size(); ++i) {
        const QString &path = files.at(i);
        QAction *action = m_recent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setToolTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { open(path); });
    }
    m_recent->setEnabled(!files.isEmpty());
}

std::optional<EepromImage> ProfileActions::readFile(const QString &path) {
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    QString error;
    if (!file.open(QIODevice::ReadOnly)) {
        error = tr("Cannot read %1: %2").arg(name, file.errorString());
        RecentProfiles().remove(path);
    } else if (const ProfileParse parsed = readProfile(file, name); parsed.memory) {
        return EepromImage(*parsed.memory);
    } else {
        error = parsed.error;
    }
    m_host.showMessage(error + tr(". The window's settings were not changed."));
    return std::nullopt;
}

bool ProfileActions::open(const QString &path) {
    const std::optional<EepromImage> profile = readFile(path);
    if (!profile)
        return false;
    RecentProfiles().add(path);
    // The file does not say which kind of module it was made for, but its bytes may: the
    // question then says so. The changes are counted against the module's own bytes, so that
    // a profile read from this module counts only what was changed in it, not what the window
    // tidies on showing it.
    const ModuleKind kind = m_window.kind();
    const QString changes =
        settingsCount(int(settingChanges(kind, m_window.moduleMemory(), *profile).size()));
    const std::optional<ModuleKind> writer = kindWrittenBy(*profile->toMemory());
    QString question = tr("This profile changes %1 of this module. Load it?").arg(changes);
    if (writer && *writer != kind) {
        question = tr("This profile looks like a %1's; this window is a %2's. It "
                      "changes %3. Load it anyway?")
                       .arg(shownModuleKindName(*writer), shownModuleKindName(kind), changes);
    } else if (changes == settingsCount(0)) {
        question.clear();
    }
    if (!question.isEmpty() && !m_host.askQuestion(question))
        return false;
    m_desk.loadAsEdits(*profile, tr("Open Profile"));
    return true;
}

bool ProfileActions::save(const QString &path) {
    const EepromImage settings = m_window.imageToStore();
    QString error;
    if (const QStringList invalid = m_window.invalidFields(); !invalid.isEmpty()) {
        error = tr("These settings are not valid: %1.").arg(invalid.join(QStringLiteral(", ")));
    } else if (const auto bad = settings.badEntries(); !bad.empty()) {
        error = tr("These entries do not fit in a byte: %1.").arg(describeBadEntries(bad));
    } else {
        error = writeProfileFile(path, profileText(settings));
    }
    if (!error.isEmpty()) {
        m_host.showMessage(error + tr(" The profile was not saved."));
        return false;
    }
    RecentProfiles().add(path);
    m_desk.statusLine().showMessage(tr("Profile saved to %1").arg(QDir::toNativeSeparators(path)),
                                    kSavedNoteMs);
    return true;
}

bool ProfileActions::compare(const QString &path) {
    const std::optional<EepromImage> profile = readFile(path);
    if (!profile)
        return false;
    RecentProfiles().add(path);
    if (!m_comparison) {
        m_comparison = new DifferencesWindow(&m_window);
        rememberPlace(*m_comparison, QStringLiteral("comparison"));
    }
    m_comparison->setChanges(tr("Compare with %1").arg(QFileInfo(path).fileName()), tr("window"),
                             tr("profile"),
                             settingChanges(m_window.kind(), m_window.imageToStore(), *profile));
    m_comparison->show();
    m_comparison->raise();
    m_comparison->activateWindow();
    return true;
}

bool ProfileActions::takeFileDrop(QEvent *event) {
    auto *drop = static_cast<QDropEvent *>(event);
    const QString path = draggedFile(drop->mimeData());
    if (path.isEmpty())
        return false;
    drop->acceptProposedAction();
    // The question comes once the drop has ended: a dialog inside it would hold the
    // other program's drag.
    if (event->type() == QEvent::Drop)
        QTimer::singleShot(0, this, [this, path] { open(path); });
    return true;
}

} // namespace tessel
