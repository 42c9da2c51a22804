// SPDX-License-Identifier: Apache-2.0
#include "ui/dialogs/ReportWindow.h"

#include "session/OutputFile.h"
#include "ui/widgets/FormControls.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

namespace tessel {

ReportWindow::ReportWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_text(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("reportWindow"));
    setWindowTitle(tr("Generate Report"));
    setFixedSize(px(12735), px(6360));
    m_text->setObjectName(QStringLiteral("profileText"));
    m_text->setGeometry(twipRect(120, 120, 12495, 5220));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // The records wrap between values, never inside a number.
    m_text->setWordWrapMode(QTextOption::WordWrap);
    m_text->setAccessibleName(tr("Production profile"));
    setBackground(m_text, colours::kWhite);

    auto *instruction = new QPlainTextEdit(this);
    instruction->setObjectName(QStringLiteral("instruction"));
    instruction->setReadOnly(true);
    instruction->setGeometry(twipRect(120, 5400, 10200, 780));
    instruction->setPlainText(tr(
        "Copy the data shown above and e-mail it to support@tessel-config.example.com if you need "
        "several pre-configured copies of the same Tessel Module. Our staff can pre-configure "
        "any quantity with the settings you have chosen.\n"));
    setBackground(instruction, colours::kLightYellow);

    auto *copy = new QPushButton(tr("Copy to Clipboard"), this);
    copy->setObjectName(QStringLiteral("copyReport"));
    copy->setGeometry(twipRect(10440, 5400, 2175, 390));
    connect(copy, &QPushButton::clicked, this,
            [this] { QGuiApplication::clipboard()->setText(m_text->toPlainText()); });

    auto *save = new QPushButton(tr("&Save As..."), this);
    save->setObjectName(QStringLiteral("saveReport"));
    save->setGeometry(twipRect(10440, 5790, 2175, 390));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    save->setToolTip(tr("Save the profile to a file (Ctrl+Shift+S)"));
    connect(save, &QPushButton::clicked, this, &ReportWindow::saveAs);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void ReportWindow::saveAs() {
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save Profile As"), {}, tr("Production profiles (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    if (const QString error = saveTo(path); !error.isEmpty())
        QMessageBox::warning(this, QStringLiteral("tessel-config"),
                             error + tr(" The profile was not saved."));
}

QString ReportWindow::saveTo(const QString &path) const {
    return writeProfileFile(path, m_text->toPlainText());
}

void ReportWindow::showProfile(const QString &profile) {
    m_text->setPlainText(profile);
    show();
    raise();
    activateWindow();
}

QString ReportWindow::text() const {
    return m_text->toPlainText();
}

} // namespace tessel
