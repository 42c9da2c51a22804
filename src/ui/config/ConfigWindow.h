// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Commands.h"
#include "core/EepromImage.h"
#include "core/MemoryMap.h"
#include "session/SessionOutcome.h"
#include "ui/config/DeskHooks.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QPushButton;

namespace tessel {

class DeviceTable;
class SessionClient;
class PointerHelp;
class ScrollingForm;
class SettingsBands;
class StoreHiddenLine;
class WindowHost;
class WindowStatusLine;
class WindowVariant;

// The configuration window of either module kind: the settings bands, the device table and
// the pointer help, with the buttons that read, store and explain the settings. Its
// controls are a view of its EepromImage: every handler writes its entry at once,
// showImage shows the whole image after every read. Where the kinds differ, the window
// asks its WindowVariant.
//
// Handlers are named for what happened to their control (baseSerialEdited,
// deviceCountMoved, ...). They are connected to Qt's change notifications, which fire only when a
// value really changes, whether the operator or the program changed it; CaptionLabel does the same
// for label captions. showImage relies on this: setting a control to the value it already holds
// runs nothing.
class ConfigWindow : public QWidget {
    Q_OBJECT
public:
    // `variant` is the module kind's (the shell chooses it).
    ConfigWindow(std::unique_ptr<WindowVariant> variant, SessionClient &session, WindowHost &host,
                 QWidget *parent = nullptr);
    ~ConfigWindow() override;

    // The load sequence: start image, identification, caption, two reads of the whole memory;
    // loaded() follows.
    void loadFromModule();

    // From now on the window talks to the module through `session` (a new line after the old
    // one was lost); nothing of the previous session or its line is used again.
    void attachSession(SessionClient &session);
    // After attachSession: identifies the module and reads its memory. With `keepShownImage`
    // the read only tells the session what the module holds and the window keeps showing its
    // own settings. A module that does not identify itself is reported as a failed transfer.
    void loadAfterReconnect(bool keepShownImage);
    // Whether the settings shown differ from what the module was last known to hold.
    [[nodiscard]] bool hasUnsavedEdits() const;

    [[nodiscard]] const EepromImage &image() const { return m_image; }
    [[nodiscard]] ModuleKind kind() const { return m_layout.kind; }
    [[nodiscard]] WindowVariant &variant() const { return *m_variant; }
    // How settings come into the window. Form: they replace the image and every control shows
    // them, the row serial editors keeping what they hold. Whole: the serial editors take them
    // too, as the window's own (a profile, a step of the history). Read: what the module holds,
    // shown whole, its mapping bytes rewritten whatever the mapping mode, and taken as what the
    // window is compared with.
    enum class ShowAs { Form, Whole, Read };
    void showImage(const EepromImage &image, ShowAs as = ShowAs::Form);
    // The image as a store would send it: the shown one with the window's mode byte.
    [[nodiscard]] EepromImage imageToStore() const;
    // The settings last read (as shown) or stored; the start image before the first read.
    // After a store that did not end well, each block as its account says: the new settings,
    // the old, or kUnknownEntry where it may hold either (counted as not stored).
    [[nodiscard]] const EepromImage &moduleBaseline() const { return m_moduleBaseline; }
    // The module's memory byte for byte as last read or stored, accounted like the baseline;
    // the baseline is what the window made of it when it showed it (relay functions at 0,
    // mapping bytes computed), and the difference is what the next store corrects.
    [[nodiscard]] const EepromImage &moduleMemory() const { return m_moduleMemory; }
    // The form and the buttons the desk's menus offer too.
    [[nodiscard]] DeskParts deskParts() const;
    // The menus, the history of edits and the marks of what differs from the module, built
    // around the finished window; the window owns it and removes it before its controls.
    void attachDesk(std::unique_ptr<DeskHooks> desk);

    // "Read Settings from Controller"
    void readSettings();
    // "Store These Settings Into Controller"
    void storeSettings();
    // Stores `memory` exactly as it is (a backup), with the read before and the read-back of
    // every store, and shows what the module then holds; "Restored and verified" when it did.
    void restoreMemory(const EepromImage &memory);
    // "Restore to Factory Default Settings"
    void restoreFactorySettings();

    // The fields the window's checks reject now, as the operator knows them.
    [[nodiscard]] QStringList invalidFields() const;

    // The operator's Cancel in the progress window: a store stops after the block in flight,
    // a read ends and the settings shown stay. False during the start-up reads, where nothing
    // is there to keep and Cancel ends the program.
    bool cancelTransfer();
    [[nodiscard]] WindowStatusLine &statusLine() const { return *m_statusLine; }

Q_SIGNALS:
    // The load sequence has ended: the module was identified and read (`ok`), or it did not
    // identify itself (`why`, empty when the program is ending).
    void loaded(bool ok, const QString &why);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons();
    // Shows the whole image in the controls.
    void showControls();
    void connectParts();
    void setWide(bool wide);
    // The controls right of the narrow window's edge, with the focus they take when shown.
    void collectAdvancedArea();
    // The parts whose checks can reject a field.
    enum class CheckedPart { Bands, Table, Variant, Count };
    void fieldsChecked(CheckedPart part, const QStringList &invalid);
    void showTransferButtons();
    void setTransferButtonsVisible(bool visible);
    // "Generate Production Profile for Quantity Purchases"
    void showProductionProfile();

    // The exchanges with the module (ConfigWindowTransfers.cpp).
    void connectSession();
    void identified(const SessionOutcome &outcome);
    void loadIdentifiedModule(const wire::IdentityReply &identity);
    // A read of the load sequence has ended (or was not taken).
    void loadReadEnded();
    void startFactoryReset();
    void transferStarted(SessionJob job);
    void phaseChanged(SessionPhase phase);
    void transferFinished(const SessionOutcome &outcome);
    void readFinished(const SessionOutcome &outcome);
    void storeFinished(const SessionOutcome &outcome);
    // Counts as stored what the account of `outcome` says each block holds.
    void followAccount(const SessionOutcome &outcome);
    // The title from the module's identity, with the place Qt marks unstored settings at.
    void setCaption(const QString &caption);
    // Tells the operator why a transfer failed; when the line is gone, the host offers to
    // connect again.
    void reportFailure(const QString &text);

    // The window's state besides the form (ConfigWindowState.cpp).
    void buildStateLines();
    // With the line gone, offers to reconnect and says `nothingDone`; false while it works.
    bool lineGoneOffersReconnect(const QString &nothingDone);
    void showLineState();
    void showLastTransfer(const SessionOutcome &outcome);
    void showStoreHiddenLine();
    void offerStoreAgain(const SessionOutcome &outcome);
    void askAboutChangedMemory(const SessionOutcome &outcome, bool restoring);

    EepromImage m_image;
    std::unique_ptr<WindowVariant> m_variant;
    const MemoryLayout &m_layout;
    SessionClient *m_session;
    WindowHost &m_host;
    EepromImage m_moduleBaseline;
    EepromImage m_moduleMemory;
    bool m_restoring = false; // the store under way restores a backup
    bool m_keepShownImageOnRead = false;
    // Which identification is under way for a load sequence, if any.
    enum class Identifying { None, AtStart, AfterReconnect };
    Identifying m_identifying = Identifying::None;
    bool m_keepAfterReconnect = false;
    bool m_loading = false;        // the start-up reads run
    int m_loadReadsLeft = 0;       // of the start-up reads
    bool m_loadReadsAsked = false; // every start-up read has been asked for
    bool m_cancelAsked = false;    // the operator pressed Cancel during the transfer under way
    bool m_readAfterReset = false; // the read that shows what a factory reset left
    std::array<QStringList, static_cast<int>(CheckedPart::Count)> m_invalid;
    bool m_transferButtonsShown = true;
    QPointer<QWidget> m_focusBeforeTransfer;
    std::vector<std::pair<QWidget *, Qt::FocusPolicy>> m_advancedArea;

    ScrollingForm *m_scroll;
    SettingsBands *m_bands;
    DeviceTable *m_table;
    PointerHelp *m_help;
    std::unique_ptr<DeskHooks> m_desk = std::make_unique<DeskHooks>();
    QPushButton *m_productionProfile = nullptr;
    QPushButton *m_readSettings = nullptr;
    QPushButton *m_storeSettings = nullptr;
    QPushButton *m_restoreFactory = nullptr;
    StoreHiddenLine *m_storeHiddenLine = nullptr;
    WindowStatusLine *m_statusLine = nullptr;
};

} // namespace tessel
