#pragma once

#include "core/EepromImage.h"

#include <QDialog>

class QLabel;
class QTreeWidget;

namespace tessel {

// Two sets of settings side by side, where they differ: one row per address with the name
// the operator knows it by and both values, and the count in the words of the command line's
// comparison. Copy puts the same lines on the clipboard as `diff` prints.
class DifferencesWindow : public QDialog {
    Q_OBJECT
public:
    explicit DifferencesWindow(QWidget *parent = nullptr);

    // Lists where `second` differs from `first`, the columns named by `firstName` and
    // `secondName` ("module", "window", "profile").
    void setDifferences(const QString &title, ModuleKind kind, const QString &firstName,
                        const EepromImage &first, const QString &secondName,
                        const EepromImage &second);
    // The differences as the command line words them, one line each, then the count.
    [[nodiscard]] QStringList lines() const { return m_lines; }
    [[nodiscard]] QTreeWidget *list() const { return m_list; }

private:
    QTreeWidget *m_list;
    QLabel *m_summary;
    QStringList m_lines;
};

} // namespace tessel
