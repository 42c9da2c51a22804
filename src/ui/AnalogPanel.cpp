#include "ui/AnalogPanel.h"

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

// Panel geometry in twips. Frame6 grows by the height of the message line when a check fails.
constexpr int kFrame6Width = 10455;
constexpr int kFrame6Height = 6015;
constexpr int kFrame6HeightWithMessage = 6495;
constexpr int kFrame8Left = 240;
constexpr int kFrame8Top = 360;
constexpr int kFrame8Width = 9975;
constexpr int kFrame8Height = 5415;

// Rows inside Frame8.
constexpr int kFirstRowTop = 1080;
constexpr int kRowPitch = 240;
constexpr int kRowHeight = 255;
constexpr int kC8Left = 120;
constexpr int kC8Width = 615;
constexpr int kC9Left = 840;
constexpr int kC9Width = 2685;
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

// ---------------------------------------------------------------- level meter

LevelMeter::LevelMeter(QWidget *parent) : QProgressBar(parent) {
    setRange(0, 255);
    setTextVisible(false);
    setFocusPolicy(Qt::StrongFocus);
    // The level is what a screen reader speaks, as for the value labels beside it.
    connect(this, &QProgressBar::valueChanged, this,
            [this](int level) { setAccessibleName(QString::number(level)); });
    setValue(0);
}

void LevelMeter::mousePressEvent(QMouseEvent *event) {
    event->accept();
    Q_EMIT pressed();
}

void LevelMeter::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        Q_EMIT pressed();
        return;
    }
    QProgressBar::keyPressEvent(event);
}

// ---------------------------------------------------------------- building

AnalogPanel::AnalogPanel(EepromImage &image, QWidget *parent) : QFrame(parent), m_image(image) {
    setObjectName(QStringLiteral("Frame6"));
    setGeometry(twipRect(1200, 2400, kFrame6Width, kFrame6Height));
    setBackground(this, colours::kDarkGrey);
    setFrameShape(QFrame::Box);
    // The panel is the window's background while it is open: pointer movement over it must
    // not reach the window underneath.
    setAttribute(Qt::WA_NoMousePropagation);

    m_command3 = new QPushButton(QStringLiteral("DONE!"), this);
    m_command3->setObjectName(QStringLiteral("Command3"));
    m_command3->setGeometry(twipRect(kFrame8Left, 30, kFrame8Width, 300));
    m_command3->setAutoDefault(false);
    setBackground(m_command3, colours::kLightYellow);
    connect(m_command3, &QPushButton::clicked, this, &AnalogPanel::Command3_Click);

    m_frame8 = new QFrame(this);
    m_frame8->setObjectName(QStringLiteral("Frame8"));
    m_frame8->setGeometry(twipRect(kFrame8Left, kFrame8Top, kFrame8Width, kFrame8Height));
    setBackground(m_frame8, colours::kSilver);
    m_frame8->setMouseTracking(true);
    m_frame8->installEventFilter(this);

    m_label7 = new CaptionLabel({}, this);
    m_label7->setObjectName(QStringLiteral("Label7"));
    m_label7->setGeometry(twipRect(kFrame8Left, kFrame6Height, kFrame8Width,
                                   kFrame6HeightWithMessage - kFrame6Height - 60));
    m_label7->setAlignment(Qt::AlignCenter);
    setBackground(m_label7, colours::kLightRed);
    m_label7->hide();

    constexpr int kHeadsLeft = 240;
    const int c8 = kC8Left + kC8Width / 2 - kHeadsLeft;
    const int c9 = kC9Left + kC9Width / 2 - kHeadsLeft;
    const int lower = kLowerLeft + kLimitWidth / 2 - kHeadsLeft;
    const int upper = kUpperLeft + kLimitWidth / 2 - kHeadsLeft;
    auto *label5 = new ColumnHeads(
        QStringLiteral("Analog                                   Lower      Upper "),
        {c8, lower, upper}, m_frame8);
    label5->setObjectName(QStringLiteral("Label5"));
    label5->setGeometry(twipRect(kHeadsLeft, 240, 5535, 285));
    auto *label8 = new ColumnHeads(
        QStringLiteral("Input:    Limit Type:                Limit:       Limit:      "),
        {c8, c9, lower, upper}, m_frame8);
    label8->setObjectName(QStringLiteral("Label8"));
    label8->setGeometry(twipRect(kHeadsLeft, 600, 5535, 285));
    auto *label6 = new QLabel(QStringLiteral("Activate Relays wihen Limits are Reached"), m_frame8);
    label6->setObjectName(QStringLiteral("Label6"));
    label6->setGeometry(twipRect(120, 5040, 5535, 285));

    for (int i = 0; i < kAnalogRows; ++i)
        buildRow(i);
    buildMonitorControls();

    setVisible(false);
    m_frame8->setVisible(false);
}

void AnalogPanel::buildRow(int i) {
    const QString input = QStringLiteral("input %1").arg(i);

    m_c8[i] = rowLabel(QStringLiteral("C8"), i, kC8Left, kC8Width, i, m_frame8);
    setBackground(m_c8[i], colours::kGrey);
    // Each label's caption is what a screen reader speaks; its description says what it is.
    m_c8[i]->setAccessibleDescription(QStringLiteral("Analog input number"));

    m_c9[i] = rowLabel(QStringLiteral("C9"), i, kC9Left, kC9Width, i, m_frame8);
    setBackground(m_c9[i], colours::windowBackground());
    m_c9[i]->setClickable(true);
    m_c9[i]->setAccessibleDescription(QStringLiteral("Limit type, ") + input);
    connect(m_c9[i], &CaptionLabel::clicked, this, [this, i] { C9_Click(i); });
    connect(m_c9[i], &CaptionLabel::captionChanged, this, [this, i] { C9_Change(i); });

    const std::pair<int, int> boxes[] = {{i, kLowerLeft}, {kAnalogRows + i, kUpperLeft}};
    for (const auto &[k, left] : boxes) {
        const QString name =
            (k < kAnalogRows ? QStringLiteral("Lower limit, ") : QStringLiteral("Upper limit, ")) +
            input;
        m_c10[k] = rowLabel(QStringLiteral("C10"), k, left, kLimitWidth, i, m_frame8);
        setBackground(m_c10[k], colours::windowBackground());
        m_c10[k]->setClickable(true);
        m_c10[k]->setAccessibleDescription(name);
        connect(m_c10[k], &CaptionLabel::clicked, this, [this, k] { C10_Click(k); });

        m_ml[k] = new QLineEdit(m_frame8);
        m_ml[k]->setObjectName(elementName(QStringLiteral("ML"), k));
        m_ml[k]->setGeometry(
            twipRect(left - kTypingOffset, rowTop(i) - 120, kTypingWidth, kTypingHeight));
        m_ml[k]->setAlignment(Qt::AlignCenter);
        m_ml[k]->setAccessibleName(name);
        m_ml[k]->setAccessibleDescription(
            QStringLiteral("Type 0 to 255, then press Enter or move the mouse"));
        setBackground(m_ml[k], colours::kLightRed);
        m_ml[k]->hide();
        connect(m_ml[k], &QLineEdit::returnPressed, this, [this, k] { finishTyping(k); });
        connect(m_ml[k], &QLineEdit::editingFinished, this, [this, k] { typingBoxLeft(k); });
    }

    m_adBar[i] = new LevelMeter(m_frame8);
    m_adBar[i]->setObjectName(elementName(QStringLiteral("ADBar"), i));
    m_adBar[i]->setGeometry(twipRect(kMeterLeft, rowTop(i), kMeterWidth, kRowHeight));
    m_adBar[i]->setAccessibleDescription(QStringLiteral("Level, ") + input);

    m_ad[i] = rowLabel(QStringLiteral("AD"), i, kValueLeft, kValueWidth, i, m_frame8);
    m_ad[i]->setCaption(kUnknownLevel);
    setBackground(m_ad[i], colours::kGrey);
    m_ad[i]->setAccessibleDescription(QStringLiteral("Reading, ") + input);
}

void AnalogPanel::buildMonitorControls() {
    auto *readAll =
        new QLabel(QStringLiteral("Click Bars Below to Read Individual Inputs"), m_frame8);
    readAll->setObjectName(QStringLiteral("ReadAll"));
    readAll->setGeometry(twipRect(6000, 360, 3975, 285));
    readAll->setAlignment(Qt::AlignCenter);
    setBackground(readAll, colours::kSilver);

    m_readAllAD = new QPushButton(QStringLiteral("Read All A/D Inputs"), m_frame8);
    m_readAllAD->setObjectName(QStringLiteral("ReadAllAD"));
    m_readAllAD->setGeometry(twipRect(kMeterLeft, 720, 3735, 315));
    m_readAllAD->setAutoDefault(false);

    m_loopRead = new QCheckBox(QStringLiteral("Read Inputs Constantly"), m_frame8);
    m_loopRead->setObjectName(QStringLiteral("LoopRead"));
    m_loopRead->setGeometry(twipRect(kMeterLeft, 5040, kMeterWidth, 285));
    setBackground(m_loopRead, colours::kSilver);
}

// ---------------------------------------------------------------- limits editor

int AnalogPanel::limitType(int input) const {
    return m_image.value(map::limitTypeAddress(input));
}

QString AnalogPanel::limitTypeCaption(int input) const {
    if (input < 0 || input >= kAnalogRows)
        return {};
    return m_c9[input]->caption();
}

void AnalogPanel::showSecondLimit(int input) {
    const int type = limitType(input);
    m_c10[input]->setVisible(true);
    m_c10[kAnalogRows + input]->setVisible(type == 2 || type == 3);
}

void AnalogPanel::LimitMap_Click() {
    for (int i = 0; i < kAnalogRows; ++i) {
        m_ml[i]->setText(QString::number(m_image.value(map::lowerLimitAddress(i))));
        m_ml[kAnalogRows + i]->setText(QString::number(m_image.value(map::upperLimitAddress(i))));
        m_c10[i]->setCaption(m_ml[i]->text());
        m_c10[kAnalogRows + i]->setCaption(m_ml[kAnalogRows + i]->text());
        showSecondLimit(i);
    }
    setVisible(true);
    m_frame8->setVisible(true);
    raise();
    m_c9[0]->setFocus();
}

void AnalogPanel::C9_Click(int index) {
    const int address = map::limitTypeAddress(index);
    int type = m_image.value(address) + 1;
    if (type > map::kMaxLimitType || type < 0)
        type = 0;
    m_image.setValue(address, type);
    m_c9[index]->setCaption(LimitTypeTable()[type]);
    showSecondLimit(index);
}

void AnalogPanel::C9_Change(int index) {
    const int address = map::limitTypeAddress(index);
    if (m_image.value(address) > map::kMaxLimitType || m_image.value(address) < 0)
        m_image.setValue(address, 0);
    m_c9[index]->setCaption(LimitTypeTable()[limitType(index)]);
    showSecondLimit(index);
    Q_EMIT helpTextChosen(limitTypeHelp(m_c9[index]->caption()));
}

void AnalogPanel::C10_Click(int index) {
    for (int k = 0; k < kLimitBoxes; ++k) {
        QString caption = m_c10[k]->caption();
        if (caption.startsWith(QLatin1Char(' ')))
            caption.remove(0, 1);
        m_ml[k]->setText(caption);
    }
    m_ml[index]->show();
    m_ml[index]->raise();
    m_ml[index]->setFocus();
    m_ml[index]->selectAll();
}

void AnalogPanel::Frame8_MouseMove() {
    // Hiding a box that has the focus ends its editing, which commits again; one commit at a
    // time is enough, the result is the same.
    if (m_committing)
        return;
    m_committing = true;
    for (int k = 0; k < kLimitBoxes; ++k) {
        m_c10[k]->setCaption(m_ml[k]->text());
        m_ml[k]->hide();
    }
    std::array<LimitRow, kAnalogRows> rows;
    for (int i = 0; i < kAnalogRows; ++i)
        rows[i] = {limitType(i), m_c10[i]->caption(), m_c10[kAnalogRows + i]->caption()};
    const LimitCheckResult result = checkLimits(rows);
    storeLimits(m_image, result);
    showCheckResult(result);
    m_committing = false;
}

void AnalogPanel::showCheckResult(const LimitCheckResult &result) {
    for (int i = 0; i < result.rowsChecked; ++i) {
        setBackground(m_c10[i], colours::kWhite);
        setBackground(m_c10[kAnalogRows + i], colours::kWhite);
    }
    if (result.failingRow) {
        const int i = *result.failingRow;
        if (result.marked == LimitMark::Lower || result.marked == LimitMark::Both)
            setBackground(m_c10[i], colours::kLightRed);
        if (result.marked == LimitMark::Upper || result.marked == LimitMark::Both)
            setBackground(m_c10[kAnalogRows + i], colours::kLightRed);
    }
    const bool valid = result.code == 0;
    if (!valid)
        m_label7->setCaption(limitCheckMessage(result.code));
    resize(width(), px(valid ? kFrame6Height : kFrame6HeightWithMessage));
    m_label7->setVisible(!valid);
    m_command3->setVisible(valid);
    Q_EMIT limitsChecked(result);
}

void AnalogPanel::finishTyping(int box) {
    Frame8_MouseMove();
    m_c10[box]->setFocus();
}

void AnalogPanel::typingBoxLeft(int box) {
    // Moving into another open box keeps the boxes open, as the mouse does; leaving them for
    // anything else completes the entry. Opening another limit refills every box from its
    // label, so what was typed must be in the labels first.
    QWidget *next = QApplication::focusWidget();
    for (QLineEdit *other : m_ml) {
        if (next == other && other->isVisible())
            return;
    }
    if (m_ml[box]->isVisible())
        Frame8_MouseMove();
}

void AnalogPanel::Command3_Click() {
    m_loopRead->setChecked(false);
    setVisible(false);
    m_frame8->setVisible(false);
    Q_EMIT closed();
}

bool AnalogPanel::eventFilter(QObject *watched, QEvent *event) {
    // Only movement over the background counts; a movement over a label or box that the
    // child did not take arrives here too and is told apart by what lies under the pointer.
    if (watched == m_frame8 && event->type() == QEvent::MouseMove) {
        const auto *move = static_cast<QMouseEvent *>(event);
        if (!m_frame8->childAt(move->position().toPoint()))
            Frame8_MouseMove();
    }
    return QFrame::eventFilter(watched, event);
}

// ---------------------------------------------------------------- shown from the image

void AnalogPanel::showInputRows() {
    for (int i = 0; i < kAnalogRows; ++i) {
        m_c8[i]->setCaption(withLeadingBlank(i));
        m_c8[i]->setVisible(true);
        m_c8[i]->setEnabled(true);
        m_ad[i]->setCaption(kUnknownLevel);
        m_ad[i]->setVisible(true);
        m_ad[i]->setEnabled(true);
        const std::pair<int, int> limits[] = {{i, map::lowerLimitAddress(i)},
                                              {kAnalogRows + i, map::upperLimitAddress(i)}};
        for (const auto &[k, address] : limits) {
            m_c10[k]->setEnabled(true);
            m_c10[k]->setVisible(true);
            m_c10[k]->setCaption(QString::number(m_image.value(address)));
            // The typing boxes follow, so that the next commit does not write the limits
            // shown before this read back into the image.
            m_ml[k]->setText(m_c10[k]->caption());
        }
    }
}

void AnalogPanel::showLimitTypes() {
    for (int i = 0; i < kAnalogRows; ++i) {
        const int type = std::clamp(limitType(i), 0, map::kMaxLimitType);
        m_c9[i]->setCaption(LimitTypeTable()[type]);
        m_c9[i]->setVisible(true);
        m_c9[i]->setEnabled(true);
        // A row whose type did not change ran no C9_Change; its second limit still follows
        // its type, as opening the panel would make it.
        showSecondLimit(i);
    }
}

void AnalogPanel::showLevel(int input, int level) {
    if (level < 0 || level > 255)
        return;
    m_adBar[input]->setValue(level);
    m_ad[input]->setCaption(QString::number(level));
}

} // namespace tessel
