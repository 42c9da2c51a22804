#pragma once

#include "core/Commands.h"
#include "core/EepromImage.h"
#include "core/MemoryMap.h"

#include <QWidget>
#include <memory>
#include <optional>

class QPushButton;

namespace tessel {

class DeviceTable;
class ModuleProtocol;
class PointerHelp;
class SettingsBands;
class WindowHost;
class WindowVariant;

// The configuration window of either module kind: the settings bands, the device table and
// the pointer help, with the buttons that read, store and explain the settings. Its
// controls are a view of its EepromImage: every handler writes its entry at once,
// SyncSettings shows the whole image after every read. Where the kinds differ, the window
// asks its WindowVariant.
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
    ~ConfigWindow() override;

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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildButtons();
    void connectParts();
    void setWide(bool wide);
    void setStoreVisible(bool visible);
    void setTransferButtonsVisible(bool visible);
    void CreateExplanation_Click();

    // The exchanges with the module (ConfigWindowTransfers.cpp).
    std::optional<wire::IdentityReply> GetVersion();
    void Start_Process(const wire::IdentityReply &identity);
    void Command2_Click();

    EepromImage m_image;
    std::unique_ptr<WindowVariant> m_variant;
    const MemoryLayout &m_layout;
    ModuleProtocol &m_protocol;
    WindowHost &m_host;

    SettingsBands *m_bands;
    DeviceTable *m_table;
    PointerHelp *m_help;
    QPushButton *m_createExplanation = nullptr;
    QPushButton *m_readSettings = nullptr;
    QPushButton *m_storeSettings = nullptr;
    QPushButton *m_command2 = nullptr;
};

} // namespace tessel
