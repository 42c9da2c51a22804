// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QColor>
#include <QLabel>
#include <QRect>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace tessel {

// Colours of the configuration windows.
namespace colours {
inline const QColor kLightRed{255, 192, 192};
inline const QColor kGrey{224, 224, 224};
inline const QColor kSilver{192, 192, 192};
inline const QColor kDarkGrey{64, 64, 64};
inline const QColor kLightYellow{255, 255, 192};
inline const QColor kLightGreen{192, 255, 192};
inline const QColor kLightCyan{192, 255, 255};
inline const QColor kRed{255, 128, 128};
inline const QColor kWhite{255, 255, 255};
// The corner mark of a control whose value differs from the module's: amber, apart from the
// blue of the focus frames on light and dark palettes alike.
inline const QColor kChangedMark{230, 140, 0};
// The system's ordinary text-box background.
QColor windowBackground();
} // namespace colours

// Positions and sizes are designed in twips; 15 twips make one pixel at 100% scaling.
constexpr int px(int twips) {
    return twips / 15;
}
constexpr QRect twipRect(int left, int top, int width, int height) {
    return {px(left), px(top), px(width), px(height)};
}

// The configuration window's client area; the advanced area starts at the narrow width.
constexpr int kNarrowWidthTwips = 12840;
constexpr int kWideWidthTwips = 16335;
constexpr int kHeightTwips = 10680;
// From here down (the help and the transfer buttons) the form is a band of its own that stays in
// view under the part that scrolls: a short screen never cuts the store button.
constexpr int kFooterTopTwips = 8760;
// A place in that band, in the twips of the whole client area.
constexpr QRect footerRect(int left, int top, int width, int height) {
    return twipRect(left, top - kFooterTopTwips, width, height);
}

// Sets a widget's background through its palette, so that it can be read back.
void setBackground(QWidget *widget, const QColor &colour);
QColor backgroundOf(const QWidget *widget);
// Paints a field light red and keeps why it is red, in the operator's words, for its help to
// say; setBackground with any colour forgets it.
void markInvalid(QWidget *widget, const QString &why);
// Why a field is red; empty when it is not.
QString invalidReason(const QWidget *widget);

// The box shows and takes what is typed in upper case: hex digits typed in lower case mean
// the same.
void takeUpperCase(QLineEdit *edit);

// "mappingByte" and 3 -> "mappingByte_3": the object name of an element of a control array.
QString elementName(const QString &array, int index);

class CaptionLabel;
// A button or a label with its control name.
QPushButton *makeButton(const QString &name, const QString &caption, QWidget *parent);
CaptionLabel *makeLabel(const QString &name, const QString &caption, QWidget *parent);

// A label the operator can click, or activate from the keyboard with Space or Enter, and
// whose caption changes are announced, but only when the caption really changes, as for
// every other control whose value the program sets.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(const QString &caption = {}, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    [[nodiscard]] QString caption() const { return text(); }
    // Clickable labels take the keyboard focus in reading order; it shows as a frame in the
    // palette's highlight colour.
    void setClickable(bool clickable);
    // Hatched over its background: an inactive row's cell on a dark palette, whose dark grey
    // would hardly differ from the palette's own.
    void setHatched(bool hatched);
    [[nodiscard]] bool hatched() const { return m_hatched; }

Q_SIGNALS:
    void clicked();
    void captionChanged();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_clickable = false;
    bool m_hatched = false;
};

} // namespace tessel
