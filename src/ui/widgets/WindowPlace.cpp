// SPDX-License-Identifier: Apache-2.0
#include "ui/widgets/WindowPlace.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace tessel {

namespace {

class WindowPlace : public QObject {
public:
    WindowPlace(QWidget &window, const QString &name)
        : QObject(&window), m_window(window),
          m_key(QStringLiteral("windows/%1/geometry").arg(name)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != &m_window)
            return false;
        // After the window's own handling of its show (a form fits the window to itself
        // then), before anything is drawn.
        if (event->type() == QEvent::ShowToParent) {
            const QByteArray saved = QSettings().value(m_key).toByteArray();
            if (!saved.isEmpty())
                m_window.restoreGeometry(saved);
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            QSettings().setValue(m_key, m_window.saveGeometry());
        }
        return false;
    }

private:
    QWidget &m_window;
    QString m_key;
};

} // namespace

void rememberPlace(QWidget &window, const QString &name) {
    new WindowPlace(window, name);
}

} // namespace tessel
