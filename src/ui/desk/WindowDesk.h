// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/SettingChanges.h"
#include "ui/config/DeskHooks.h"

#include <QObject>
#include <QPointer>

class QLabel;
class QPushButton;

namespace tessel {

class ChangeMarks;
class ConfigWindow;
class DifferencesWindow;
class EditHistory;
class ProfileActions;
class WindowHost;
class WindowMenus;
class WindowStatusLine;

// What lets the operator see and keep the window's work: the menu bar, the history of edits
// with Undo and Redo, the marks on every control that differs from the module, the count of
// settings not stored, the review of those differences and the question before closing.
// Whatever differs from the module is judged against the module's memory as last read or
// stored (ConfigWindow::moduleBaseline).
class WindowDesk : public QObject, public DeskHooks {
    Q_OBJECT
public:
    WindowDesk(ConfigWindow &window, WindowHost &host);
    ~WindowDesk() override;

    [[nodiscard]] WindowMenus &menus() const { return *m_menus; }
    [[nodiscard]] EditHistory &history() const { return *m_history; }
    [[nodiscard]] ProfileActions &profiles() const { return *m_profiles; }
    [[nodiscard]] WindowStatusLine &statusLine() const { return *m_statusLine; }
    [[nodiscard]] ChangeMarks &marks() const { return *m_marks; }

    // Puts `settings` into the window as edits over what the module holds (a profile, a
    // backup): one step of the history named `what`, stored only when the operator stores.
    void loadAsEdits(const EepromImage &settings, const QString &what);
    // The settings shown that differ from the module's as the window showed them (edits).
    [[nodiscard]] int unstoredCount() const;
    // What the next store changes in the module, the window's corrections flagged.
    [[nodiscard]] std::vector<SettingChange> storeChanges() const;

    // What the window tells its desk (DeskHooks).
    void transferStarting() override;
    void transferEnded(SessionJob job) override;
    void restart() override;
    void checkpoint(const QString &what) override;
    void fieldsChecked() override { refresh(); }
    // Asks before closing a window whose settings differ from the module; false when it stays
    // open (Cancel, or a store that did not succeed).
    [[nodiscard]] bool mayClose() override;
    // Shows again where the window differs from the module: marks, title, count, review.
    void refresh();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void addActions(const DeskParts &parts);
    void reviewChanges();
    void fillReview();
    void openBackups();
    // Stores a backup's bytes exactly, once the operator has seen what it changes.
    void restoreBackup(const QString &path);
    // An event in the window after which its settings may have changed.
    void afterInput(QObject *watched);

    ConfigWindow &m_window;
    WindowHost &m_host;
    WindowMenus *m_menus;
    EditHistory *m_history;
    ChangeMarks *m_marks;
    ProfileActions *m_profiles;
    WindowStatusLine *m_statusLine;
    QLabel *m_unstored;
    QPointer<DifferencesWindow> m_review;
    bool m_checkpointDue = false;
};

} // namespace tessel
