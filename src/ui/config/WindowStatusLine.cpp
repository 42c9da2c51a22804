// SPDX-License-Identifier: Apache-2.0
#include "ui/config/WindowStatusLine.h"

#include <QLabel>

namespace tessel {

namespace {
void showText(QLabel *label, const QString &text) {
    label->setText(text);
    label->setAccessibleName(text);
}
} // namespace

WindowStatusLine::WindowStatusLine(QWidget *parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("statusLine"));
    setSizeGripEnabled(false);
    // What stands on the right keeps off the window's edge.
    setContentsMargins(0, 0, 6, 0);
    m_port = addLabel(QStringLiteral("statusPort"), tr("Port of the module"));
    m_connection = addLabel(QStringLiteral("statusConnection"), tr("Connection"));
    // The last transfer takes what room is left, and is the one cut short when it runs out.
    m_lastTransfer = addLabel(QStringLiteral("statusLastTransfer"), tr("Last transfer"), 1);
    m_lastTransfer->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    showLastTransfer(tr("No transfer yet"));
}

QLabel *WindowStatusLine::addLabel(const QString &name, const QString &description, int stretch) {
    // Segments after the first stand apart behind a thin line.
    if (!findChildren<QLabel *>(Qt::FindDirectChildrenOnly).isEmpty()) {
        auto *separator = new QFrame(this);
        separator->setFrameShape(QFrame::VLine);
        separator->setFrameShadow(QFrame::Plain);
        separator->setForegroundRole(QPalette::Mid); // as faint on a dark palette as on a light
        addWidget(separator);
    }
    auto *label = new QLabel(this);
    label->setObjectName(name);
    label->setContentsMargins(4, 0, 4, 0);
    label->setAccessibleDescription(description);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    addWidget(label, stretch);
    return label;
}

void WindowStatusLine::showPort(const QString &port) {
    showText(m_port, port);
}

void WindowStatusLine::showConnection(const QString &state) {
    showText(m_connection, state);
}

void WindowStatusLine::showLastTransfer(const QString &summary, const QString &detail) {
    showText(m_lastTransfer, summary);
    m_lastTransfer->setToolTip(detail.isEmpty() ? summary : detail);
}

QString WindowStatusLine::port() const {
    return m_port->text();
}

QString WindowStatusLine::connection() const {
    return m_connection->text();
}

QString WindowStatusLine::lastTransfer() const {
    return m_lastTransfer->text();
}

} // namespace tessel
