// SPDX-License-Identifier: Apache-2.0
#include "ui/desk/WindowMenus.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace tessel {

namespace {
// The button an action stands for, kept on the action.
constexpr const char *kButtonProperty = "tesselButton";

void followButton(QAction *action, const QPushButton *button) {
    action->setEnabled(!button->isHidden() && button->isEnabled());
}
} // namespace

WindowMenus::WindowMenus(QWidget &window) : QObject(&window), m_bar(new QMenuBar(&window)) {
    m_bar->setObjectName(QStringLiteral("menuBar"));
    // One bar per window, also where the desktop would move it to a global menu.
    m_bar->setNativeMenuBar(false);
    const std::array<QString, 4> titles = {tr("&File"), tr("&Edit"), tr("&Module"), tr("&Help")};
    for (std::size_t i = 0; i < titles.size(); ++i)
        m_menus.at(i) = m_bar->addMenu(titles.at(i));
    if (window.layout())
        window.layout()->setMenuBar(m_bar);
}

QMenu *WindowMenus::menu(Menu menu) const {
    return m_menus.at(static_cast<std::size_t>(menu));
}

QAction *WindowMenus::add(Menu menu, const QString &text, const QKeySequence &shortcut,
                          const std::function<void()> &run) {
    QAction *action = this->menu(menu)->addAction(text);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [run] { run(); });
    return action;
}

QAction *WindowMenus::addButton(Menu menu, QPushButton *button, const QKeySequence &shortcut) {
    // The button's own mnemonic (Alt+R on "&Read ...") is listed beside the item, not
    // registered again: two owners of one key would leave it to neither.
    const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
    const QString listed = mnemonic.isEmpty() ? button->text()
                                              : button->text() + QLatin1Char('\t') +
                                                    mnemonic.toString(QKeySequence::NativeText);
    QAction *action = add(menu, listed, shortcut, [button] { button->click(); });
    action->setProperty(kButtonProperty, QVariant::fromValue(static_cast<QObject *>(button)));
    followButton(action, button);
    button->installEventFilter(this);
    return action;
}

bool WindowMenus::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::EnabledChange:
        for (QMenu *menu : m_menus) {
            for (QAction *action : menu->actions()) {
                if (action->property(kButtonProperty).value<QObject *>() == watched)
                    followButton(action, static_cast<QPushButton *>(watched));
            }
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tessel
