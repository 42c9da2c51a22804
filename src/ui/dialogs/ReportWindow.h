// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace tessel {

// Shows the production profile so that the operator can copy it into an e-mail.
class ReportWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReportWindow(QWidget *parent = nullptr);

    // Replaces the whole text and brings the window up; not modal.
    void showProfile(const QString &profile);
    [[nodiscard]] QString text() const;
    // Writes the profile to `path` as `read -o` does; why it could not, or empty.
    [[nodiscard]] QString saveTo(const QString &path) const;

private:
    void saveAs();

    QPlainTextEdit *m_text;
};

} // namespace tessel
