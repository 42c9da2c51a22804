// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"

#include <QObject>
#include <QPointer>

class QEvent;
class QMenu;

namespace tessel {

class ConfigWindow;
class DifferencesWindow;
class WindowDesk;
class WindowHost;
class WindowMenus;

// Production profile files in the window: open one as edits over what the module holds, save
// the window's settings as one, compare the window with one, the files used last, and a file
// dropped on the window.
class ProfileActions : public QObject {
    Q_OBJECT
public:
    ProfileActions(ConfigWindow &window, WindowHost &host, WindowDesk &desk);

    void addActions(WindowMenus &menus);

    // Loads the profile in `path` as edits, after saying how many settings of the module it
    // changes. A file that cannot be read or is not a profile changes nothing and the
    // operator is told why. True when the profile was loaded.
    bool open(const QString &path);
    // Writes the window's settings to `path`; false, with the operator told why, when a
    // setting cannot be stored or the file cannot be written.
    bool save(const QString &path);
    // Lists where the window differs from the profile in `path`.
    bool compare(const QString &path);
    // A profile file dragged over or dropped on the window; false for anything else.
    bool takeFileDrop(QEvent *event);

    // The profile in `path`; nothing, and the operator told why, when it cannot be read.
    [[nodiscard]] std::optional<EepromImage> readFile(const QString &path);

private:
    // The profile in `path`; nothing, with the operator told why, when there is none.
    void fillRecentMenu();

    ConfigWindow &m_window;
    WindowHost &m_host;
    WindowDesk &m_desk;
    QMenu *m_recent = nullptr;
    QPointer<DifferencesWindow> m_comparison;
};

} // namespace tessel
