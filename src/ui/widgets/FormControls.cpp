// SPDX-License-Identifier: Apache-2.0
#include "ui/widgets/FormControls.h"

#include "ui/widgets/Readability.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QValidator>
#include <utility>

namespace tessel {

namespace {
constexpr const char *kInvalidReason = "invalidReason";
constexpr int kFocusFrameWidth = 2;
} // namespace

QColor colours::windowBackground() {
    return QApplication::palette().color(QPalette::Base);
}

void setBackground(QWidget *widget, const QColor &colour) {
    QPalette palette = widget->palette();
    // Text boxes paint their Base; labels and buttons their own background role.
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, widget->backgroundRole(), colour);
        palette.setColor(group, QPalette::Base, colour);
    }
    // A fixed background takes its text colour with it, so that it reads whatever the
    // desktop's palette (a dark one gives light text, which would vanish on light yellow).
    const QColor text = readableTextOn(colour);
    for (auto group : {QPalette::Active, QPalette::Inactive})
        for (auto role : {widget->foregroundRole(), QPalette::WindowText, QPalette::Text})
            palette.setColor(group, role, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->setProperty(kInvalidReason, QVariant());
}

void markInvalid(QWidget *widget, const QString &why) {
    setBackground(widget, colours::kLightRed);
    widget->setProperty(kInvalidReason, why);
}

QString invalidReason(const QWidget *widget) {
    return widget->property(kInvalidReason).toString();
}

QColor backgroundOf(const QWidget *widget) {
    return widget->palette().color(QPalette::Active, widget->backgroundRole());
}

QString elementName(const QString &array, int index) {
    return QStringLiteral("%1_%2").arg(array).arg(index);
}

QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent) {
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

CaptionLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent) {
    auto *label = new CaptionLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

CaptionLabel::CaptionLabel(const QString &caption, QWidget *parent) : QLabel(caption, parent) {}

void CaptionLabel::setCaption(const QString &caption) {
    if (caption == text())
        return;
    setText(caption);
    Q_EMIT captionChanged();
}

void CaptionLabel::setClickable(bool clickable) {
    m_clickable = clickable;
    setFocusPolicy(clickable ? Qt::StrongFocus : Qt::NoFocus);
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent *event) {
    if (m_clickable && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
    QLabel::mouseReleaseEvent(event);
}

void CaptionLabel::keyPressEvent(QKeyEvent *event) {
    if (m_clickable && (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                        event->key() == Qt::Key_Enter)) {
        Q_EMIT clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CaptionLabel::setHatched(bool hatched) {
    if (std::exchange(m_hatched, hatched) != hatched)
        update();
}

void CaptionLabel::paintEvent(QPaintEvent *event) {
    QLabel::paintEvent(event);
    QPainter painter(this);
    if (m_hatched)
        painter.fillRect(rect(), QBrush(QColor(255, 255, 255, 70), Qt::BDiagPattern));
    if (!hasFocus())
        return;
    // The style's dotted focus rectangle is hardly seen on a small cell.
    QPen pen(palette().color(QPalette::Highlight), kFocusFrameWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void takeUpperCase(QLineEdit *edit) {
    // Every text typed or pasted passes the validator, which may change it.
    class UpperCase : public QValidator {
    public:
        using QValidator::QValidator;
        State validate(QString &input, int &) const override {
            input = input.toUpper();
            return Acceptable;
        }
    };
    edit->setValidator(new UpperCase(edit));
}

} // namespace tessel
