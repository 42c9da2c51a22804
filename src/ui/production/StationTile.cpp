// SPDX-License-Identifier: Apache-2.0
#include "ui/production/StationTile.h"

#include "ui/widgets/Readability.h"

#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

namespace tessel {

namespace {
// The reason in a few words: the first line, up to its first explanation (after ": " or in
// brackets), which the record and the terminal give whole.
QString fewWords(const QString &message) {
    QString line = message.section(QLatin1Char('\n'), 0, 0).trimmed();
    for (const QString &stop : {QStringLiteral(": "), QStringLiteral(" (")}) {
        if (const qsizetype at = line.indexOf(stop); at > 0)
            line.truncate(at);
    }
    constexpr qsizetype kMost = 48;
    return line.size() <= kMost ? line : line.left(kMost - 3) + QStringLiteral("...");
}

QString blockText(const StationEvent &e) {
    return StationTile::tr("block %1 of %2").arg(e.block + 1).arg(kBlockCount);
}

QColor toneColour(TileView::Tone tone) {
    switch (tone) {
    case TileView::Tone::Working:
        return {40, 90, 170};
    case TileView::Tone::Pass:
        return {20, 120, 50};
    case TileView::Tone::Fail:
        return {180, 30, 30};
    case TileView::Tone::Idle:
        break;
    }
    return {96, 96, 96};
}

constexpr int kWordPoints = 40;
constexpr int kLeastWordPoints = 12;

void setPointSize(QLabel *label, int points, bool bold) {
    QFont font = label->font();
    font.setPointSize(points);
    font.setBold(bold);
    label->setFont(font);
}
} // namespace

TileView tileFor(const StationEvent &e) {
    using Type = StationEvent::Type;
    switch (e.type) {
    case Type::Waiting:
    case Type::Removed:
        return {StationTile::tr("WAITING"),
                e.text.isEmpty() ? StationTile::tr("waiting for a module") : fewWords(e.text),
                StationTile::tr("PUT IN A MODULE"), TileView::Tone::Idle};
    case Type::Identified:
        return {StationTile::tr("IDENTIFYING"), fewWords(e.text), {}, TileView::Tone::Working};
    case Type::Progress:
        return {e.phase == SessionPhase::Verifying ? StationTile::tr("CHECKING")
                                                   : StationTile::tr("STORING"),
                blockText(e), StationTile::tr("DO NOT REMOVE"), TileView::Tone::Working};
    case Type::PortGone:
        return {StationTile::tr("NO ADAPTER"), StationTile::tr("adapter gone, waiting for it"),
                StationTile::tr("PLUG THE ADAPTER IN"), TileView::Tone::Fail};
    case Type::PortFailed:
        return {StationTile::tr("PORT FAILED"), fewWords(e.text), StationTile::tr("CHECK THE PORT"),
                TileView::Tone::Fail};
    case Type::Done:
    case Type::Failed:
    case Type::Warning: // the window's note says it
        break;
    }
    // A module's end is shown from its record, which comes first.
    return {};
}

TileView tileFor(const ModuleRecord &r) {
    const QString remove = StationTile::tr("REMOVE THE MODULE");
    if (r.ok())
        return {StationTile::tr("PASS"),
                r.unit.isEmpty() ? StationTile::tr("stored and checked") : r.unit, remove,
                TileView::Tone::Pass};
    if (r.result == ModuleResult::AlreadyProgrammed)
        return {StationTile::tr("PASS"), StationTile::tr("held the profile already"), remove,
                TileView::Tone::Pass};
    QString detail = fewWords(r.message);
    if (!r.unit.isEmpty()) {
        detail += QLatin1Char('\n') +
                  (r.unitMayBeStored ? StationTile::tr("unit %1 partly stored").arg(r.unit)
                                     : StationTile::tr("unit %1 back in the pool").arg(r.unit));
    }
    return {r.result == ModuleResult::WrongKind ? StationTile::tr("REFUSED")
                                                : StationTile::tr("FAIL"),
            detail, remove, TileView::Tone::Fail};
}

TileView scanTile() {
    return {StationTile::tr("SCAN"), StationTile::tr("waiting for this module's kit label"),
            StationTile::tr("SCAN THE KIT LABEL"), TileView::Tone::Working};
}

StationTile::StationTile(const QString &port, QWidget *parent)
    : QFrame(parent), m_port(new QLabel(port, this)), m_word(new QLabel(this)),
      m_detail(new QLabel(this)), m_instruction(new QLabel(this)) {
    setObjectName(QStringLiteral("tile:") + port);
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setAutoFillBackground(true);
    setMinimumSize(240, 180);
    auto *layout = new QVBoxLayout(this);
    setPointSize(m_port, 14, true);
    setPointSize(m_word, kWordPoints, true);
    setPointSize(m_detail, 20, false);
    setPointSize(m_instruction, 18, true);
    for (QLabel *label : {m_port, m_word, m_detail, m_instruction}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->setStretch(1, 1);
    display({tr("OPENING"), tr("opening the port"), {}, TileView::Tone::Idle});
}

void StationTile::display(const TileView &view) {
    m_view = view;
    m_word->setText(view.word);
    m_detail->setText(view.detail);
    m_instruction->setText(view.instruction);
    const QColor background = toneColour(view.tone);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, readableTextOn(background));
    setPalette(palette);
    setAccessibleName(text());
    fitWord();
}

void StationTile::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    fitWord();
}

void StationTile::fitWord() {
    QFont font = m_word->font();
    const int room = contentsRect().width() - 2 * layout()->contentsMargins().left();
    for (int points = kWordPoints; points >= kLeastWordPoints; points -= 2) {
        font.setPointSize(points);
        if (QFontMetrics(font).horizontalAdvance(m_view.word) <= room)
            break;
    }
    m_word->setFont(font);
}

QString StationTile::text() const {
    return QStringList{m_port->text(), m_view.word, m_view.detail, m_view.instruction}.join(
        QStringLiteral(" | "));
}

} // namespace tessel
