// SPDX-License-Identifier: Apache-2.0
#include "ui/dialogs/BackupsWindow.h"

#include "core/SettingChanges.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace tessel {

namespace {
// The port last: a by-id name is long, and what tells the backups apart must stay in view.
enum Column { When, Module, Differs, Port };
} // namespace

BackupsWindow::BackupsWindow(ModuleKind kind, QString folder, Actions actions, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_folder(std::move(folder)), m_actions(std::move(actions)),
      m_list(new QTreeWidget(this)), m_summary(new QLabel(this)),
      m_compare(new QPushButton(tr("&Compare with Window"), this)),
      m_load(new QPushButton(tr("&Load into Window"), this)),
      m_restore(new QPushButton(tr("&Restore..."), this)) {
    setObjectName(QStringLiteral("BackupsWindow"));
    setWindowTitle(tr("Backups of %1s").arg(shownModuleKindName(kind)));
    m_restore->setObjectName(QStringLiteral("restoreBackup"));
    m_list->setObjectName(QStringLiteral("BackupList"));
    m_list->setAccessibleName(tr("Backups"));
    m_list->setRootIsDecorated(false);
    m_list->setAllColumnsShowFocus(true);
    m_list->setHeaderLabels({tr("When"), tr("Module"), tr("Differing"), tr("Port")});
    m_list->setTextElideMode(Qt::ElideMiddle);
    for (const int column : {When, Module, Differs})
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_summary->setObjectName(QStringLiteral("BackupsFolder"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_summary->setAccessibleDescription(tr("The backups folder"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(m_compare, QDialogButtonBox::ActionRole);
    buttons->addButton(m_load, QDialogButtonBox::ActionRole);
    buttons->addButton(m_restore, QDialogButtonBox::ActionRole);
    QPushButton *open = buttons->addButton(tr("Open &Folder"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_compare, &QPushButton::clicked, this, [this] { m_actions.compare(chosenPath()); });
    connect(m_load, &QPushButton::clicked, this, [this] {
        const QString path = chosenPath();
        accept();
        m_actions.load(path);
    });
    connect(m_restore, &QPushButton::clicked, this, [this] {
        const QString path = chosenPath();
        accept();
        m_actions.restore(path);
    });
    connect(open, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(m_folder)); });
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &BackupsWindow::showChoice);
    // Enter compares the chosen backup, as the default button; so does a double click.
    m_compare->setDefault(true);
    connect(m_list, &QTreeWidget::itemDoubleClicked, m_compare, &QPushButton::click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 130, fontMetrics().height() * 24);
    refresh();
}

void BackupsWindow::refresh() {
    m_entries = listBackups(m_folder, m_kind);
    const EepromImage window = m_actions.windowImage();
    const QLocale locale;
    m_list->clear();
    for (const BackupEntry &entry : m_entries) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(When, locale.toString(entry.when.toLocalTime(), QLocale::ShortFormat));
        item->setText(Port, entry.port.isEmpty() ? tr("(not recorded)") : entry.port);
        item->setText(Module, entry.description);
        item->setText(Differs, QString::number(settingChanges(m_kind, window, entry.image).size()));
        item->setTextAlignment(Differs, Qt::AlignRight | Qt::AlignVCenter);
        item->setToolTip(Module, entry.path);
        item->setToolTip(Port, entry.port);
    }
    m_summary->setText(
        m_entries.empty() ? tr("No backups of %1s in %2.").arg(shownModuleKindName(m_kind), m_folder)
                          : tr("%1 in %2, newest first.")
                                .arg(m_entries.size() == 1 ? tr("One backup")
                                                           : tr("%1 backups").arg(m_entries.size()),
                                     m_folder));
    if (!m_entries.empty())
        m_list->setCurrentItem(m_list->topLevelItem(0));
    showChoice();
}

QString BackupsWindow::chosenPath() const {
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    return row >= 0 && row < static_cast<int>(m_entries.size()) ? m_entries[row].path : QString();
}

void BackupsWindow::showChoice() {
    const bool chosen = !chosenPath().isEmpty();
    m_compare->setEnabled(chosen);
    m_load->setEnabled(chosen);
    m_restore->setEnabled(chosen);
}

} // namespace tessel
