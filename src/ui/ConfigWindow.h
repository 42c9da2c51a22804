#pragma once

#include "core/Commands.h"
#include "core/EepromImage.h"
#include "core/HelpTexts.h"
#include "core/MemoryMap.h"
#include "ui/FormControls.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace tessel {

class ModuleProtocol;
class WindowHost;

// The configuration window of either module kind. Its controls are a view of its
// EepromImage: every handler writes its entry at once, SyncSettings shows the whole image
// after every read. The Threshold window derives from it and overrides where it differs.
//
// Handlers carry the names of their control and event (SN_Change, HScroll1_Change, ...).
// They are connected to Qt's change notifications, which fire only when a value really
// changes, whether the operator or the program changed it; CaptionLabel does the same for
// label captions. SyncSettings relies on this: setting a control to the value it already
// holds runs nothing.
class ConfigWindow : public QWidget {
    Q_OBJECT
public:
    ConfigWindow(ModuleKind kind, ModuleProtocol &protocol, WindowHost &host,
                 QWidget *parent = nullptr);

    // The load sequence: start image, identification, caption, two reads of the whole memory.
    // False when the program is ending before the module identified itself.
    bool loadFromModule();

    [[nodiscard]] const EepromImage &image() const { return m_image; }
    [[nodiscard]] ModuleKind kind() const { return m_layout.kind; }
    // Replaces the image and shows it, as a read does.
    void showImage(const EepromImage &image);

    void ReadSettings_Click();
    void StoreSettings_Click();
    void SyncSettings();
    void ClearInterface();

    static constexpr int kNarrowWidthTwips = 12840; // client area; the advanced area starts here
    static constexpr int kWideWidthTwips = 16335;
    static constexpr int kHeightTwips = 10680;

protected:
    struct DeviceRow {
        CaptionLabel *C1, *C2, *C3, *C4, *C5, *C6, *C7;
        QLineEdit *SNTB, *MAP;
        QPushButton *DOWN, *UP;
    };

    // Differences of the Threshold window.
    // Shows the Function column of every row (the Threshold window: its limits and analog rows).
    virtual void syncRowFunctions();
    virtual void C5_Click(int index);
    virtual void onCaptureSpeedChanged(int /*value*/) {}
    // Runs before a transfer takes the link (the Threshold window ends its monitor loop).
    // False when the transfer cannot start now: the derived window has kept `transfer` and
    // runs it itself once the link is free.
    virtual bool prepareTransfer(const std::function<void()> & /*transfer*/) { return true; }
    void lookupHelp(const QString &control, int index);
    void applyHelp(const HelpEntry &entry);
    // Texts of the help lookup that depend on a control's state (the limit type of a row).
    virtual QString helpState(const QString & /*control*/, int /*index*/) const { return {}; }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

    // Call once a derived window has created all its own controls.
    void installPointerHelp();
    void setHelpText(const QString &text);
    void setStoreVisible(bool visible);

    EepromImage m_image;
    const MemoryLayout &m_layout;
    ModuleProtocol &m_protocol;
    WindowHost &m_host;

    QGroupBox *m_frame1, *m_frame2, *m_frame3, *m_frame4, *m_frame5, *m_frame7;
    QLineEdit *m_sn;
    QPushButton *m_defaultSn, *m_broadcast;
    QScrollBar *m_hScroll1, *m_debounce, *m_refreshing;
    std::array<CaptionLabel *, 3> m_dat{};
    CaptionLabel *m_label1, *m_label3;
    std::array<QRadioButton *, 3> m_configuration{};
    QCheckBox *m_velqa, *m_forceDelay;
    QPushButton *m_advanced;
    std::array<QRadioButton *, 2> m_useMap{};
    QWidget *m_label2;
    QLabel *m_functionHeader = nullptr;
    std::array<DeviceRow, map::kRowCount> m_rows{};
    QPlainTextEdit *m_help;
    QPushButton *m_createExplanation, *m_readSettings, *m_storeSettings, *m_command2;

    int CommModeValue = 0;
    int LiteValue = 0;
    int RemapValue = 0;
    int ForceDelayValue = 0;

private:
    void buildTopBands();
    void buildTable();
    void buildBottom();
    void connectHandlers();

    void SN_Change();
    void SNTB_Change(int index);
    void C3_Click(int index);
    void Default_SN_Click();
    void Broadcast_Click();
    void HScroll1_Change();
    void showRowsInUse(int lastRow);
    void C2_Click(int index);
    void stepType(int index, int step);
    void Configuration_Click();
    void Velqa_Click();
    void ForceDelay_Click();
    void Debounce_Change();
    void Refreshing_Change();
    void Advanced_Click();
    void Command2_Click();
    void USEMAP_Click();
    void MAP_Change(int index);
    void CreateExplanation_Click();
    void Build_Input_Assignment();
    void ColorWords();

    [[nodiscard]] int lastRowInUse() const;
    [[nodiscard]] int maxStepType() const;
    [[nodiscard]] QString baseSerialText() const;
    [[nodiscard]] QString rowSerialText(int row) const;
    [[nodiscard]] std::optional<std::vector<int>> parseHex(const QString &text, int bytes,
                                                           bool withColon) const;
    [[nodiscard]] std::vector<int> rowsWithBadMappingByte() const;
    void setWide(bool wide);
    void paintRow(int row, const QColor &colour, bool includeActive);
    std::optional<wire::IdentityReply> GetVersion();
    void Start_Process(const wire::IdentityReply &identity);
};

} // namespace tessel
