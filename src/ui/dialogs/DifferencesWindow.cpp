#include "ui/dialogs/DifferencesWindow.h"

#include "core/FieldNames.h"
#include "session/SessionOutcome.h"

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
QString capitalised(const QString &word) {
    return word.left(1).toUpper() + word.mid(1);
}
} // namespace

DifferencesWindow::DifferencesWindow(QWidget *parent)
    : QDialog(parent), m_list(new QTreeWidget(this)), m_summary(new QLabel(this)) {
    setObjectName(QStringLiteral("differences"));
    m_list->setObjectName(QStringLiteral("differenceList"));
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->setUniformRowHeights(true);
    m_list->setAccessibleName(QStringLiteral("differences"));
    // The setting's name takes the spare width, so that the two values stand side by side.
    m_list->setColumnCount(4);
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    m_summary->setObjectName(QStringLiteral("differenceSummary"));
    m_summary->setAccessibleDescription(QStringLiteral("How many addresses differ"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyDifferences"));
    connect(copy, &QPushButton::clicked, this, [this] {
        QGuiApplication::clipboard()->setText(m_lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(560, 420);
}

void DifferencesWindow::setDifferences(const QString &title, ModuleKind kind,
                                       const QString &firstName, const EepromImage &first,
                                       const QString &secondName, const EepromImage &second) {
    setWindowTitle(title);
    m_list->clear();
    m_list->setHeaderLabels({QStringLiteral("Address"), QStringLiteral("Setting"),
                             capitalised(firstName), capitalised(secondName)});
    m_lines.clear();
    const std::vector<int> addresses = differingAddresses(first, second);
    for (const int address : addresses) {
        const int a = first.value(address);
        const int b = second.value(address);
        auto *item =
            new QTreeWidgetItem(m_list, {QString::number(address), fieldName(kind, address),
                                         QString::number(a), QString::number(b)});
        for (const int column : {0, 2, 3})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        m_lines << differenceLine(kind, address, {firstName, a}, {secondName, b});
    }
    m_lines << differenceSummary(int(addresses.size()));
    m_summary->setText(m_lines.last());
}

} // namespace tessel
