// SPDX-License-Identifier: Apache-2.0
#include "ui/threshold/AnalogPanel.h"

#include "core/ControllerTypes.h"
#include "core/EepromImage.h"
#include "core/HelpTexts.h"
#include "core/MemoryMap.h"
#include "core/NumberText.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>

namespace tessel {

namespace {

// Panel geometry in twips. The panel grows by the height of the message line when a check fails.
constexpr int kPanelWidth = 10455;
constexpr int kPanelHeight = 6015;
constexpr int kPanelHeightWithMessage = 6495;
constexpr int kAreaLeft = 240;
constexpr int kAreaTop = 360;
constexpr int kAreaWidth = 9975;
constexpr int kAreaHeight = 5415;

// Rows inside the limits area.
constexpr int kFirstRowTop = 1080;
constexpr int kRowPitch = 240;
constexpr int kRowHeight = 255;
constexpr int kInputLeft = 120;
constexpr int kInputWidth = 615;
constexpr int kTypeLeft = 840;
constexpr int kTypeWidth = 2685;
constexpr int kLowerLeft = 3720;
constexpr int kUpperLeft = 4920;
constexpr int kLimitWidth = 975;
constexpr int kTypingOffset = 120; // a typing box is wider than its label on both sides
constexpr int kTypingWidth = 1215;
constexpr int kTypingHeight = 420;
constexpr int kMeterLeft = 6120;
constexpr int kMeterWidth = 2775;
constexpr int kValueLeft = 8880;
constexpr int kValueWidth = 975;

constexpr int rowTop(int i) {
    return kFirstRowTop + kRowPitch * i;
}

const QString kUnknownLevel = QStringLiteral("???");

CaptionLabel *rowLabel(const QString &array, int index, int left, int width, int row,
                       QWidget *parent) {
    auto *label = new CaptionLabel({}, parent);
    label->setObjectName(elementName(array, index));
    label->setGeometry(twipRect(left, rowTop(row), width, kRowHeight));
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    return label;
}

// A line of column heads. Its text is spaced for the form's original font; here each group of
// words is drawn centred over its own column, so the heads stay over their columns whatever
// the font. The label's text (and what a screen reader hears) is the line as written.
class ColumnHeads : public QLabel {
public:
    // Centres of the columns in twips from the label's left edge, one per group of words.
    ColumnHeads(const QString &text, std::vector<int> centres, QWidget *parent)
        : QLabel(text, parent), m_centres(std::move(centres)) {
        setTextFormat(Qt::PlainText);
    }

protected:
    void paintEvent(QPaintEvent * /*event*/) override {
        static const QRegularExpression gap(QStringLiteral("\\s{2,}"));
        const QStringList groups = text().trimmed().split(gap, Qt::SkipEmptyParts);
        QPainter painter(this);
        painter.setPen(palette().color(foregroundRole()));
        for (qsizetype g = 0; g < groups.size() && g < qsizetype(m_centres.size()); ++g) {
            const int w = fontMetrics().horizontalAdvance(groups[g]);
            const int left = std::max(0, px(m_centres[static_cast<std::size_t>(g)]) - w / 2);
            painter.drawText(QRect(left, 0, w + 1, height()), Qt::AlignVCenter | Qt::AlignLeft,
                             groups[g]);
        }
    }

private:
    std::vector<int> m_centres;
};

} // namespace

// ---------------------------------------------------------------- building

AnalogPanel::AnalogPanel(EepromImage &image, QWidget *parent) : QFrame(parent), m_image(image) {
    setObjectName(QStringLiteral("analogPanel"));
    setGeometry(twipRect(1200, 2400, kPanelWidth, kPanelHeight));
    setBackground(this, colours::kDarkGrey);
    setFrameShape(QFrame::Box);
    // The panel is the window's background while it is open: pointer movement over it must
    // not reach the window underneath.
    setAttribute(Qt::WA_NoMousePropagation);

    m_done = new QPushButton(tr("DONE!"), this);
    m_done->setObjectName(QStringLiteral("limitsDone"));
    m_done->setGeometry(twipRect(kAreaLeft, 30, kAreaWidth, 300));
    m_done->setAutoDefault(false);
    setBackground(m_done, colours::kLightYellow);
    connect(m_done, &QPushButton::clicked, this, &AnalogPanel::closeLimits);

    m_limitsArea = new QFrame(this);
    m_limitsArea->setObjectName(QStringLiteral("limitsArea"));
    m_limitsArea->setGeometry(twipRect(kAreaLeft, kAreaTop, kAreaWidth, kAreaHeight));
    setBackground(m_limitsArea, colours::kSilver);
    m_limitsArea->setMouseTracking(true);
    m_limitsArea->installEventFilter(this);

    m_limitMessage = new CaptionLabel({}, this);
    m_limitMessage->setObjectName(QStringLiteral("limitMessage"));
    m_limitMessage->setGeometry(
        twipRect(kAreaLeft, kPanelHeight, kAreaWidth, kPanelHeightWithMessage - kPanelHeight - 60));
    m_limitMessage->setAlignment(Qt::AlignCenter);
    setBackground(m_limitMessage, colours::kLightRed);
    m_limitMessage->hide();

    constexpr int kHeadsLeft = 240;
    const int inputCentre = kInputLeft + kInputWidth / 2 - kHeadsLeft;
    const int typeCentre = kTypeLeft + kTypeWidth / 2 - kHeadsLeft;
    const int lower = kLowerLeft + kLimitWidth / 2 - kHeadsLeft;
    const int upper = kUpperLeft + kLimitWidth / 2 - kHeadsLeft;
    auto *heads = new ColumnHeads(
        //: Column heads: words two or more spaces apart, each centred over its column.
        tr("Analog                                   Lower      Upper "),
        {inputCentre, lower, upper}, m_limitsArea);
    heads->setObjectName(QStringLiteral("limitHeads"));
    heads->setGeometry(twipRect(kHeadsLeft, 240, 5535, 285));
    auto *columnHeads = new ColumnHeads(
        //: Column heads: words two or more spaces apart, each centred over its column.
        tr("Input:    Limit Type:                Limit:       Limit:      "),
        {inputCentre, typeCentre, lower, upper}, m_limitsArea);
    columnHeads->setObjectName(QStringLiteral("limitColumnHeads"));
    columnHeads->setGeometry(twipRect(kHeadsLeft, 600, 5535, 285));
    auto *note = new QLabel(tr("Activate Relays wihen Limits are Reached"), m_limitsArea);
    note->setObjectName(QStringLiteral("relayNote"));
    note->setGeometry(twipRect(120, 5040, 5535, 285));

    for (int i = 0; i < kAnalogRows; ++i)
        buildRow(i);
    buildMonitorControls();

    setVisible(false);
    m_limitsArea->setVisible(false);
}

void AnalogPanel::buildRow(int i) {
    const QString input = tr("input %1").arg(i);

    m_inputNumbers[i] =
        rowLabel(QStringLiteral("analogInput"), i, kInputLeft, kInputWidth, i, m_limitsArea);
    setBackground(m_inputNumbers[i], colours::kGrey);
    // Each label's caption is what a screen reader speaks; its description says what it is.
    m_inputNumbers[i]->setAccessibleDescription(tr("Analog input number"));

    m_limitTypes[i] =
        rowLabel(QStringLiteral("limitType"), i, kTypeLeft, kTypeWidth, i, m_limitsArea);
    setBackground(m_limitTypes[i], colours::windowBackground());
    m_limitTypes[i]->setClickable(true);
    m_limitTypes[i]->setAccessibleDescription(tr("Limit type, ") + input);
    connect(m_limitTypes[i], &CaptionLabel::clicked, this, [this, i] { stepLimitType(i); });
    connect(m_limitTypes[i], &CaptionLabel::captionChanged, this, [this, i] { limitTypeShown(i); });

    const std::pair<int, int> boxes[] = {{i, kLowerLeft}, {kAnalogRows + i, kUpperLeft}};
    for (const auto &[k, left] : boxes) {
        const QString name = (k < kAnalogRows ? tr("Lower limit, ") : tr("Upper limit, ")) + input;
        m_limits[k] = rowLabel(QStringLiteral("limit"), k, left, kLimitWidth, i, m_limitsArea);
        setBackground(m_limits[k], colours::windowBackground());
        m_limits[k]->setClickable(true);
        m_limits[k]->setAccessibleDescription(name);
        connect(m_limits[k], &CaptionLabel::clicked, this, [this, k] { editLimit(k); });

        m_limitEditors[k] = new QLineEdit(m_limitsArea);
        m_limitEditors[k]->setObjectName(elementName(QStringLiteral("limitEditor"), k));
        m_limitEditors[k]->setGeometry(
            twipRect(left - kTypingOffset, rowTop(i) - 120, kTypingWidth, kTypingHeight));
        m_limitEditors[k]->setAlignment(Qt::AlignCenter);
        m_limitEditors[k]->setAccessibleName(name);
        m_limitEditors[k]->setAccessibleDescription(
            tr("Type 0 to 255, then press Enter or move the mouse"));
        setBackground(m_limitEditors[k], colours::kLightRed);
        m_limitEditors[k]->hide();
        connect(m_limitEditors[k], &QLineEdit::returnPressed, this, [this, k] { finishTyping(k); });
        connect(m_limitEditors[k], &QLineEdit::editingFinished, this,
                [this, k] { typingBoxLeft(k); });
    }

    m_meters[i] = new LevelMeter(m_limitsArea);
    m_meters[i]->setObjectName(elementName(QStringLiteral("levelMeter"), i));
    m_meters[i]->setGeometry(twipRect(kMeterLeft, rowTop(i), kMeterWidth, kRowHeight));
    m_meters[i]->setAccessibleDescription(tr("Level, ") + input);

    m_levels[i] = rowLabel(QStringLiteral("level"), i, kValueLeft, kValueWidth, i, m_limitsArea);
    m_levels[i]->setCaption(kUnknownLevel);
    setBackground(m_levels[i], colours::kGrey);
    m_levels[i]->setAccessibleDescription(tr("Reading, ") + input);
}

void AnalogPanel::buildMonitorControls() {
    auto *readAll = new QLabel(tr("Click Bars Below to Read Individual Inputs"), m_limitsArea);
    readAll->setObjectName(QStringLiteral("meterHint"));
    readAll->setGeometry(twipRect(6000, 360, 3975, 285));
    readAll->setAlignment(Qt::AlignCenter);
    setBackground(readAll, colours::kSilver);

    m_readAll = new QPushButton(tr("Read All A/D Inputs"), m_limitsArea);
    m_readAll->setObjectName(QStringLiteral("readAllInputs"));
    m_readAll->setGeometry(twipRect(kMeterLeft, 720, 3735, 315));
    m_readAll->setAutoDefault(false);

    m_loopRead = new QCheckBox(tr("Read Inputs Constantly"), m_limitsArea);
    m_loopRead->setObjectName(QStringLiteral("readConstantly"));
    m_loopRead->setGeometry(twipRect(kMeterLeft, 5040, kMeterWidth, 285));
    setBackground(m_loopRead, colours::kSilver);

    m_trend = new QPushButton(tr("Trend..."), m_limitsArea);
    m_trend->setObjectName(QStringLiteral("levelsTrend"));
    m_trend->setAccessibleName(tr("Levels Over Time"));
    m_trend->setGeometry(twipRect(kValueLeft, 5010, kValueWidth, 330));
    m_trend->setAutoDefault(false);
}

// ---------------------------------------------------------------- limits editor

int AnalogPanel::limitType(int input) const {
    return m_image.value(map::limitTypeAddress(input));
}

QString AnalogPanel::limitTypeCaption(int input) const {
    if (input < 0 || input >= kAnalogRows)
        return {};
    // The help reads the English name; the label may show it in the user's language.
    const QString shown = m_limitTypes[input]->caption();
    for (int type = 0; type < kLimitTypeCount; ++type) {
        if (shown == shownLimitType(type))
            return LimitTypeTable()[type];
    }
    return shown;
}

void AnalogPanel::showSecondLimit(int input) {
    const int type = limitType(input);
    m_limits[input]->setVisible(true);
    m_limits[kAnalogRows + input]->setVisible(type == 2 || type == 3);
}

void AnalogPanel::openLimits() {
    for (int i = 0; i < kAnalogRows; ++i) {
        m_limitEditors[i]->setText(QString::number(m_image.value(map::lowerLimitAddress(i))));
        m_limitEditors[kAnalogRows + i]->setText(
            QString::number(m_image.value(map::upperLimitAddress(i))));
        m_limits[i]->setCaption(m_limitEditors[i]->text());
        m_limits[kAnalogRows + i]->setCaption(m_limitEditors[kAnalogRows + i]->text());
        showSecondLimit(i);
    }
    setVisible(true);
    m_limitsArea->setVisible(true);
    raise();
    m_limitTypes[0]->setFocus();
}

void AnalogPanel::stepLimitType(int index) {
    const int address = map::limitTypeAddress(index);
    int type = m_image.value(address) + 1;
    if (type > map::kMaxLimitType || type < 0)
        type = 0;
    m_image.setValue(address, type);
    m_limitTypes[index]->setCaption(shownLimitType(type));
    showSecondLimit(index);
    showLimitMarks();
}

void AnalogPanel::limitTypeShown(int index) {
    const int address = map::limitTypeAddress(index);
    if (m_image.value(address) > map::kMaxLimitType || m_image.value(address) < 0)
        m_image.setValue(address, 0);
    m_limitTypes[index]->setCaption(shownLimitType(limitType(index)));
    showSecondLimit(index);
    showLimitMarks();
    Q_EMIT helpTextChosen(limitTypeHelp(m_limitTypes[index]->caption()));
}

void AnalogPanel::editLimit(int index) {
    for (int k = 0; k < kLimitBoxes; ++k) {
        QString caption = m_limits[k]->caption();
        if (caption.startsWith(QLatin1Char(' ')))
            caption.remove(0, 1);
        m_limitEditors[k]->setText(caption);
    }
    m_limitEditors[index]->show();
    m_limitEditors[index]->raise();
    m_limitEditors[index]->setFocus();
    m_limitEditors[index]->selectAll();
}

void AnalogPanel::commitLimits() {
    // Hiding a box that has the focus ends its editing, which commits again; one commit at a
    // time is enough, the result is the same.
    if (m_committing)
        return;
    m_committing = true;
    for (int k = 0; k < kLimitBoxes; ++k) {
        m_limits[k]->setCaption(m_limitEditors[k]->text());
        m_limitEditors[k]->hide();
    }
    std::array<LimitRow, kAnalogRows> rows;
    for (int i = 0; i < kAnalogRows; ++i)
        rows[i] = {limitType(i), m_limits[i]->caption(), m_limits[kAnalogRows + i]->caption()};
    const LimitCheckResult result = checkLimits(rows);
    storeLimits(m_image, result);
    showLimitMarks();
    showCheckResult(result);
    m_committing = false;
}

void AnalogPanel::showCheckResult(const LimitCheckResult &result) {
    for (int i = 0; i < result.rowsChecked; ++i) {
        setBackground(m_limits[i], colours::kWhite);
        setBackground(m_limits[kAnalogRows + i], colours::kWhite);
    }
    if (result.failingRow) {
        const int i = *result.failingRow;
        const QString why = limitCheckMessage(result.code);
        if (result.marked == LimitMark::Lower || result.marked == LimitMark::Both)
            markInvalid(m_limits[i], why);
        if (result.marked == LimitMark::Upper || result.marked == LimitMark::Both)
            markInvalid(m_limits[kAnalogRows + i], why);
    }
    const bool valid = result.code == 0;
    if (!valid)
        m_limitMessage->setCaption(limitCheckMessage(result.code));
    resize(width(), px(valid ? kPanelHeight : kPanelHeightWithMessage));
    m_limitMessage->setVisible(!valid);
    m_done->setVisible(valid);
    Q_EMIT limitsChecked(result);
}

void AnalogPanel::finishTyping(int box) {
    commitLimits();
    m_limits[box]->setFocus();
}

void AnalogPanel::typingBoxLeft(int box) {
    // Moving into another open box keeps the boxes open, as the mouse does; leaving them for
    // anything else completes the entry. Opening another limit refills every box from its
    // label, so what was typed must be in the labels first.
    QWidget *next = QApplication::focusWidget();
    for (QLineEdit *other : m_limitEditors) {
        if (next == other && other->isVisible())
            return;
    }
    if (m_limitEditors[box]->isVisible())
        commitLimits();
}

void AnalogPanel::closeLimits() {
    m_loopRead->setChecked(false);
    setVisible(false);
    m_limitsArea->setVisible(false);
    Q_EMIT closed();
}

bool AnalogPanel::eventFilter(QObject *watched, QEvent *event) {
    // Only movement over the background counts; a movement over a label or box that the
    // child did not take arrives here too and is told apart by what lies under the pointer.
    if (watched == m_limitsArea && event->type() == QEvent::MouseMove) {
        const auto *move = static_cast<QMouseEvent *>(event);
        if (!m_limitsArea->childAt(move->position().toPoint()))
            commitLimits();
    }
    return QFrame::eventFilter(watched, event);
}

// ---------------------------------------------------------------- shown from the image

void AnalogPanel::showInputRows() {
    for (int i = 0; i < kAnalogRows; ++i) {
        m_inputNumbers[i]->setCaption(withLeadingBlank(i));
        m_inputNumbers[i]->setVisible(true);
        m_inputNumbers[i]->setEnabled(true);
        m_levels[i]->setVisible(true);
        m_levels[i]->setEnabled(true);
        const std::pair<int, int> limits[] = {{i, map::lowerLimitAddress(i)},
                                              {kAnalogRows + i, map::upperLimitAddress(i)}};
        for (const auto &[k, address] : limits) {
            m_limits[k]->setEnabled(true);
            m_limits[k]->setVisible(true);
            m_limits[k]->setCaption(QString::number(m_image.value(address)));
            // The typing boxes follow, so that the next commit does not write the limits
            // shown before this read back into the image.
            m_limitEditors[k]->setText(m_limits[k]->caption());
        }
    }
}

void AnalogPanel::forgetLevels() {
    for (int i = 0; i < kAnalogRows; ++i) {
        m_levels[i]->setCaption(kUnknownLevel);
        m_meters[i]->showUnknown();
    }
}

void AnalogPanel::showLimitTypes() {
    for (int i = 0; i < kAnalogRows; ++i) {
        const int type = std::clamp(limitType(i), 0, map::kMaxLimitType);
        m_limitTypes[i]->setCaption(shownLimitType(type));
        m_limitTypes[i]->setVisible(true);
        m_limitTypes[i]->setEnabled(true);
        // A row whose type did not change ran no limitTypeShown; its second limit still follows
        // its type, as opening the panel would make it.
        showSecondLimit(i);
    }
    showLimitMarks();
}

void AnalogPanel::showLevel(int input, int level) {
    if (level < 0 || level > 255)
        return;
    m_meters[input]->showLevel(level);
    m_levels[input]->setCaption(QString::number(level));
}

void AnalogPanel::showLimitMarks() {
    for (int i = 0; i < kAnalogRows; ++i)
        m_meters[i]->setLimits(limitsOf(m_image, i));
}

} // namespace tessel
