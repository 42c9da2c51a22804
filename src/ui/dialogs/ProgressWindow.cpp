// SPDX-License-Identifier: Apache-2.0
#include "ui/dialogs/ProgressWindow.h"

#include "ui/widgets/FormControls.h"

#include <QProgressBar>
#include <QPushButton>

namespace tessel {

ProgressWindow::ProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_progress(new QProgressBar(this)), m_cancel(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("progressWindow"));
    setFixedSize(px(9090), px(1560));
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setGeometry(twipRect(120, 120, 8880, 675));
    m_progress->setRange(0, 255);
    m_progress->setAccessibleName(tr("Transfer progress"));
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setGeometry(twipRect(2640, 960, 3495, 495));
    connect(m_cancel, &QPushButton::clicked, this, &ProgressWindow::cancelRequested);
}

void ProgressWindow::begin(const QString &caption, const QWidget *over) {
    setWindowTitle(caption);
    if (over)
        move(over->frameGeometry().center() - rect().center());
    m_progress->setValue(0);
    show();
    raise();
}

void ProgressWindow::setAddress(int address) {
    m_progress->setValue(address);
}

} // namespace tessel
