// SPDX-License-Identifier: Apache-2.0
#include "ui/dialogs/DifferencesWindow.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tessel {

namespace {
constexpr int kAddressColumn = 3;

QString capitalised(const QString &word) {
    return word.left(1).toUpper() + word.mid(1);
}
} // namespace

DifferencesWindow::DifferencesWindow(QWidget *parent)
    : QDialog(parent), m_list(new QTreeWidget(this)),
      m_addresses(new QCheckBox(tr("Show &addresses"), this)), m_summary(new QLabel(this)) {
    setObjectName(tr("differences"));
    m_list->setObjectName(QStringLiteral("differenceList"));
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setUniformRowHeights(true);
    m_list->setAccessibleName(tr("differences"));
    // Every column as wide as its texts, so that no setting's name is cut; the window scrolls.
    m_list->setColumnCount(4);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->setColumnHidden(kAddressColumn, true);
    m_addresses->setObjectName(QStringLiteral("showAddresses"));
    connect(m_addresses, &QCheckBox::toggled, this,
            [this](bool shown) { m_list->setColumnHidden(kAddressColumn, !shown); });
    m_summary->setObjectName(QStringLiteral("differenceSummary"));
    m_summary->setAccessibleDescription(tr("How many settings differ"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyDifferences"));
    connect(copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_summary);
    layout->addWidget(m_addresses);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 110, fontMetrics().height() * 26);
}

void DifferencesWindow::setChanges(const QString &title, const QString &firstName,
                                   const QString &secondName,
                                   const std::vector<SettingChange> &changes) {
    setWindowTitle(title);
    m_list->clear();
    m_list->setHeaderLabels(
        {tr("Setting"), capitalised(firstName), capitalised(secondName), tr("Addresses")});
    m_lines.clear();
    int corrections = 0;
    int addresses = 0;
    for (const SettingChange &change : changes) {
        const QString name = change.correction ? change.name + tr(" (correction)") : change.name;
        auto *item =
            new QTreeWidgetItem(m_list, {name, change.before, change.after, change.addressText()});
        item->setToolTip(kAddressColumn, change.addressText());
        corrections += change.correction;
        addresses += int(change.bytes.size());
        m_lines << change.line();
    }
    QString summary = settingsSummary(int(changes.size()), addresses);
    if (corrections > 0) {
        summary += corrections == 1 ? tr("; 1 is a correction the window made")
                                    : tr("; %1 are corrections the window made").arg(corrections);
    }
    m_lines << summary;
    m_summary->setText(summary);
}

} // namespace tessel
