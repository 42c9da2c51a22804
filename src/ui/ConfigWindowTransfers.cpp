// The configuration window's exchanges with the module: identification and load, reading
// and storing the whole memory, and the factory settings. This is the one part of the
// window that uses the link.

#include "link/ModuleProtocol.h"
#include "link/SettingsTransfer.h"
#include "ui/ConfigWindow.h"
#include "ui/DeviceTable.h"
#include "ui/ProgressWindow.h"
#include "ui/SettingsBands.h"
#include "ui/WindowHost.h"
#include "ui/WindowVariant.h"

namespace tessel {

bool ConfigWindow::loadFromModule() {
    setWide(false);
    m_image = startImage();
    m_bands->resetModeValues();
    const auto identity = GetVersion();
    if (!identity)
        return false;
    Start_Process(*identity);
    return true;
}

std::optional<wire::IdentityReply> ConfigWindow::GetVersion() {
    auto session = m_protocol.link().tryBegin();
    if (!session)
        return std::nullopt;
    return m_protocol.identify(std::nullopt);
}

void ConfigWindow::Start_Process(const wire::IdentityReply &identity) {
    setWindowTitle(wire::windowCaption(identity));
    setTransferButtonsVisible(true);
    show();
    ReadSettings_Click();
    SyncSettings();
    ReadSettings_Click();
    m_table->showMappingBytes();
}

void ConfigWindow::ReadSettings_Click() {
    if (!m_variant->prepareTransfer([this] { ReadSettings_Click(); }))
        return;
    TransferResult result;
    {
        auto session = m_protocol.link().tryBegin();
        if (!session)
            return; // another exchange waits for the module; never interleave
        m_table->enableMappingBytes();
        setTransferButtonsVisible(false);
        ProgressWindow &progress = m_host.progressWindow();
        progress.begin(QStringLiteral("Loading Settings from Controller...."), this);
        result = readWholeMemory(m_protocol, [&progress](int a) { progress.setAddress(a); });
        progress.hide();
    }
    if (!result.ok()) {
        setTransferButtonsVisible(true);
        if (!m_protocol.link().aborted())
            m_host.showMessage(result.message + QStringLiteral(" The settings shown were kept."));
        return;
    }
    m_image = result.image;
    SyncSettings();
    setTransferButtonsVisible(true);
    m_table->copySerialsToEditors();
    m_table->enableMappingBytes();
    m_table->showMappingBytes();
}

void ConfigWindow::StoreSettings_Click() {
    if (!m_variant->prepareTransfer([this] { StoreSettings_Click(); }))
        return;
    const auto badRows = m_table->rowsWithBadMappingByte();
    if (!badRows.empty()) {
        QStringList rows;
        for (int r : badRows)
            rows << QString::number(r + 1);
        m_host.showMessage(QStringLiteral("Nothing was stored: the mapping bytes of rows %1 lie "
                                          "outside 0 to 255. Correct them first.")
                               .arg(rows.join(QStringLiteral(", "))));
        return;
    }
    m_image.setValue(map::kModeByte, m_bands->modeByte());
    auto session = m_protocol.link().tryBegin();
    if (!session)
        return;
    setTransferButtonsVisible(false);
    ProgressWindow &progress = m_host.progressWindow();
    progress.begin(QStringLiteral("Storing Settings in Tessel Module...."), this);
    const TransferResult result =
        storeWholeMemory(m_protocol, m_image, [&progress](int a) { progress.setAddress(a); });
    if (!result.ok() && !m_protocol.link().aborted())
        m_host.showMessage(result.message);
    progress.hide();
    setTransferButtonsVisible(true);
}

void ConfigWindow::Command2_Click() {
    m_image = factoryImage(m_layout.kind);
    StoreSettings_Click();
    ReadSettings_Click();
}

} // namespace tessel
