// SPDX-License-Identifier: Apache-2.0
#include "ui/config/PointerHelp.h"

#include "ui/config/WindowVariant.h"
#include "ui/widgets/FormControls.h"

#include <QDragMoveEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRegularExpression>

namespace tessel {

namespace {

// Splits "mappingByte_3" into ("mappingByte", 3); a name without an index gives -1.
std::pair<QString, int> splitElementName(const QString &name) {
    static const QRegularExpression element(QStringLiteral("^(.+)_(\\d+)$"));
    const auto match = element.match(name);
    if (!match.hasMatch())
        return {name, -1};
    return {match.captured(1), match.captured(2).toInt()};
}

// The base serial and device count bands take whatever is dragged over them.
bool takesAnyDrag(const QString &control) {
    return control == QLatin1String("baseSerialBand") ||
           control == QLatin1String("deviceCountBand");
}

// A red field's help ends with why it is red.
HelpEntry withInvalidReason(HelpEntry entry, const QWidget *control) {
    const QString why = invalidReason(control);
    if (why.isEmpty())
        return entry;
    const QString reason = PointerHelp::tr("Why it is red: %1").arg(why);
    entry.text = entry.text ? *entry.text + QStringLiteral("\n\n") + reason : reason;
    return entry;
}

} // namespace

PointerHelp::PointerHelp(const WindowVariant &variant, QWidget *window, QWidget *footer)
    : QObject(window), m_variant(variant), m_window(*window), m_footer(*footer) {
    m_help = new QPlainTextEdit(initialHelpText(), footer);
    m_help->setObjectName(QStringLiteral("help"));
    m_help->setReadOnly(true);
    m_help->setGeometry(footerRect(120, 8880, 8295, 1665));
    m_help->setAccessibleName(tr("Help"));
    setBackground(m_help, colours::kGrey);
    m_help->viewport()->setMouseTracking(true);
}

void PointerHelp::watchControls() {
    m_window.setMouseTracking(true);
    m_window.installEventFilter(this);
    for (QWidget *child : m_window.findChildren<QWidget *>() + m_footer.findChildren<QWidget *>()) {
        child->setMouseTracking(true);
        child->installEventFilter(this);
    }
    m_help->viewport()->installEventFilter(this);
}

void PointerHelp::showText(const QString &text) {
    m_help->setPlainText(text);
}

void PointerHelp::applyHelp(const HelpEntry &entry) {
    if (entry.endsEditing)
        Q_EMIT editingEnds();
    if (!entry.text)
        return;
    if (entry.clearFirst)
        m_help->clear();
    showText(*entry.text);
}

bool PointerHelp::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &m_window) {
        // The window's own background, where no control is.
        if (event->type() == QEvent::MouseMove &&
            !m_window.childAt(static_cast<QMouseEvent *>(event)->position().toPoint()))
            Q_EMIT editingEnds();
    } else if (auto *control = qobject_cast<QWidget *>(watched)) {
        pointerOverControl(control, event);
    }
    return QObject::eventFilter(watched, event);
}

void PointerHelp::pointerOverControl(QWidget *control, QEvent *event) {
    const QString name =
        control == m_help->viewport() ? m_help->objectName() : control->objectName();
    const ModuleKind kind = m_variant.look().kind;
    const auto [array, index] = splitElementName(name);
    switch (event->type()) {
    case QEvent::MouseMove: {
        // A move that a child did not take travels up to its parents; only the control
        // directly under the pointer shows its help.
        const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (!name.isEmpty() && !control->childAt(at)) {
            applyHelp(withInvalidReason(
                helpFor(kind, array, index, m_variant.helpState(array, index)), control));
        }
        break;
    }
    case QEvent::FocusIn: {
        // The keyboard reaching a control shows its help as the pointer would; it ends no
        // editing, since the focus may be going into the editor itself.
        HelpEntry entry = withInvalidReason(
            helpFor(kind, array, index, m_variant.helpState(array, index)), control);
        entry.endsEditing = false;
        applyHelp(entry);
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        const HelpEntry entry = helpForDragOver(kind, array);
        applyHelp(entry);
        if (entry.text || takesAnyDrag(name))
            static_cast<QDragMoveEvent *>(event)->acceptProposedAction();
        break;
    }
    case QEvent::Drop:
        applyHelp(helpForDrop(kind, array));
        break;
    default:
        break;
    }
}

} // namespace tessel
