// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "session/BackupList.h"

#include <QDialog>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tessel {

// The backups of the window's module kind: when each was made, on which port, what tells its
// module apart, and how many settings differ from the window. From here a backup is compared
// with the window, loaded into it (as edits, stored with the window's normal store) or
// restored (its bytes stored exactly); the folder opens in the desktop's file manager.
class BackupsWindow : public QDialog {
    Q_OBJECT
public:
    struct Actions {
        std::function<EepromImage()> windowImage;
        std::function<void(const QString &path)> compare;
        std::function<void(const QString &path)> load;
        std::function<void(const QString &path)> restore;
    };

    BackupsWindow(ModuleKind kind, QString folder, Actions actions, QWidget *parent = nullptr);

    // Reads the folder again and counts the differences from the window as it is now.
    void refresh();
    [[nodiscard]] QTreeWidget *list() const { return m_list; }
    // The backup chosen in the list; empty when none is.
    [[nodiscard]] QString chosenPath() const;

private:
    void showChoice();

    ModuleKind m_kind;
    QString m_folder;
    Actions m_actions;
    std::vector<BackupEntry> m_entries;
    QTreeWidget *m_list;
    QLabel *m_summary;
    QPushButton *m_compare;
    QPushButton *m_load;
    QPushButton *m_restore;
};

} // namespace tessel
