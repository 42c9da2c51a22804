// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/SettingChanges.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QTreeWidget;

namespace tessel {

// Two sets of settings side by side, where they differ: one row per setting as the window
// shows it, both values, and on request the addresses with their bytes; a correction the
// window made is named as such. Copy puts the same lines on the clipboard as `diff` prints.
class DifferencesWindow : public QDialog {
    Q_OBJECT
public:
    explicit DifferencesWindow(QWidget *parent = nullptr);

    // Lists `changes`, the value columns named by `firstName` and `secondName` ("module",
    // "window", "profile").
    void setChanges(const QString &title, const QString &firstName, const QString &secondName,
                    const std::vector<SettingChange> &changes);
    // The differences as the command line words them, one line each, then the count.
    [[nodiscard]] QStringList lines() const { return m_lines; }
    [[nodiscard]] QTreeWidget *list() const { return m_list; }

private:
    QTreeWidget *m_list;
    QCheckBox *m_addresses;
    QLabel *m_summary;
    QStringList m_lines;
};

} // namespace tessel
