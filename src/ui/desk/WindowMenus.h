// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QKeySequence>
#include <QObject>
#include <array>
#include <functional>

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QWidget;

namespace tessel {

// The menu bar above a configuration window's form: File, Edit, Module and Help. Whoever
// gives the window an action adds it here, so that every action is found in a menu, with its
// shortcut shown beside it.
class WindowMenus : public QObject {
    Q_OBJECT
public:
    enum class Menu { File, Edit, Module, Help };

    // Puts the bar at the top of `window`'s layout.
    explicit WindowMenus(QWidget &window);

    [[nodiscard]] QMenuBar *bar() const { return m_bar; }
    [[nodiscard]] QMenu *menu(Menu menu) const;

    QAction *add(Menu menu, const QString &text, const QKeySequence &shortcut,
                 const std::function<void()> &run);
    // An action that does what `button` does. A control the operator cannot see cannot act:
    // while the button is hidden (a check fails, a transfer runs) or disabled, so is the action.
    QAction *addButton(Menu menu, QPushButton *button, const QKeySequence &shortcut = {});

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenuBar *m_bar;
    std::array<QMenu *, 4> m_menus{};
};

} // namespace tessel
