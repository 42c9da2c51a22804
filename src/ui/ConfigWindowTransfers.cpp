// The configuration window's exchanges with the module: identification and load, reading
// and storing the whole memory, and the factory settings. Each goes through the module
// session; this file turns the session's signals into what the operator sees.

#include "core/FieldNames.h"
#include "link/ModuleProtocol.h"
#include "link/SettingsTransfer.h"
#include "session/ModuleSession.h"
#include "session/StoreReport.h"
#include "ui/ConfigWindow.h"
#include "ui/DeviceTable.h"
#include "ui/ProgressWindow.h"
#include "ui/SettingsBands.h"
#include "ui/WindowDesk.h"
#include "ui/WindowHost.h"
#include "ui/WindowVariant.h"

#include <utility>

namespace tessel {

namespace {

constexpr int kDifferencesNamed = 8;

QString progressCaption(SessionPhase phase) {
    switch (phase) {
    case SessionPhase::Reading:
        return QStringLiteral("Loading Settings from Controller....");
    case SessionPhase::Storing:
        return QStringLiteral("Storing Settings in Tessel Module....");
    case SessionPhase::Verifying:
        return QStringLiteral("Verifying...");
    case SessionPhase::Identifying:
        break;
    }
    return {};
}

// The settings a read-back found changed, by the names the operator knows them by.
QString differencesText(ModuleKind kind, const std::vector<int> &differences) {
    QStringList names;
    for (int address : differences) {
        if (names.size() == kDifferencesNamed) {
            names << QStringLiteral("and %1 more").arg(differences.size() - kDifferencesNamed);
            break;
        }
        names << fieldName(kind, address);
    }
    return QStringLiteral("The module holds other values than were sent for: %1.")
        .arg(names.join(QStringLiteral(", ")));
}

} // namespace

void ConfigWindow::connectSession() {
    connect(m_session, &ModuleSession::started, this, &ConfigWindow::transferStarted);
    connect(m_session, &ModuleSession::phaseChanged, this, &ConfigWindow::phaseChanged);
    connect(m_session, &ModuleSession::progress, this,
            [this](SessionPhase, int address) { m_host.progressWindow().setAddress(address); });
    connect(m_session, &ModuleSession::finished, this, &ConfigWindow::transferFinished);
    connect(m_session, &ModuleSession::refused, this, [this](SessionJob job, const QString &why) {
        if (job == SessionJob::Read)
            m_keepShownImageOnRead = false;
        if (!m_session->protocol().link().aborted())
            m_host.showMessage(why);
    });
    m_session->setVerifyAfterStore(true);
}

void ConfigWindow::attachSession(ModuleSession &session) {
    disconnect(m_session, nullptr, this, nullptr);
    m_session = &session;
    connectSession();
    m_session->setInvalidFields(invalidFields());
    m_variant->useProtocol(m_session->protocol());
}

bool ConfigWindow::loadAfterReconnect(bool keepShownImage) {
    const auto identity = identifyModule();
    if (!identity) {
        if (!m_session->protocol().link().aborted())
            reportFailure(m_session->lastOutcome().message);
        return false;
    }
    setCaption(wire::windowCaption(*identity));
    m_keepShownImageOnRead = keepShownImage;
    readSettings();
    return true;
}

bool ConfigWindow::hasUnsavedEdits() const {
    return imageToStore() != m_moduleBaseline;
}

EepromImage ConfigWindow::imageToStore() const {
    // The mode byte is kept as the window's four mode values; the image learns it at a store.
    EepromImage image = m_image;
    image.setValue(map::kModeByte, m_bands->modeByte());
    return image;
}

void ConfigWindow::reportFailure(const QString &text) {
    if (m_session->protocol().link().failed())
        m_host.lineLost(text);
    else
        m_host.showMessage(text);
}

bool ConfigWindow::loadFromModule() {
    setWide(false);
    m_image = startImage();
    m_bands->resetModeValues();
    const auto identity = identifyModule();
    if (!identity)
        return false;
    loadIdentifiedModule(*identity);
    return true;
}

std::optional<wire::IdentityReply> ConfigWindow::identifyModule() {
    if (m_session->identify() != Admission::Started || !m_session->lastOutcome().ok())
        return std::nullopt;
    return m_session->identity();
}

void ConfigWindow::loadIdentifiedModule(const wire::IdentityReply &identity) {
    setCaption(wire::windowCaption(identity));
    setTransferButtonsVisible(true);
    show();
    readSettings();
    showSettings();
    readSettings();
    m_table->showMappingBytes();
    m_desk->restart();
}

void ConfigWindow::readSettings() {
    if (!m_variant->prepareTransfer([this] { readSettings(); }))
        return;
    m_session->read();
}

void ConfigWindow::storeSettings() {
    if (!m_variant->prepareTransfer([this] { storeSettings(); }))
        return;
    // A store asked for while another transfer runs leaves the image as it is.
    const EepromImage toStore = imageToStore();
    if (!m_session->busy())
        m_image = toStore;
    m_session->store(toStore);
}

void ConfigWindow::restoreFactorySettings() {
    if (!m_host.askQuestion(
            QStringLiteral("Overwrite all settings of this module with the factory settings?")))
        return;
    startFactoryReset();
}

void ConfigWindow::startFactoryReset() {
    if (!m_variant->prepareTransfer([this] { startFactoryReset(); }))
        return;
    // The communication mode the window shows survives the reset.
    m_session->factoryReset(m_bands->modeByte());
}

// ---------------------------------------------------------------- the session's signals

void ConfigWindow::transferStarted() {
    // Nothing typed or clicked may change the image or start another exchange meanwhile.
    if (isEnabled())
        m_focusBeforeTransfer = focusWidget();
    m_desk->transferStarting();
    setTransferButtonsVisible(false);
    setEnabled(false);
}

void ConfigWindow::phaseChanged(SessionPhase phase) {
    if (const QString caption = progressCaption(phase); !caption.isEmpty())
        m_host.progressWindow().begin(caption, this);
}

void ConfigWindow::transferFinished(const SessionOutcome &outcome) {
    m_host.progressWindow().hide();
    setEnabled(true);
    setTransferButtonsVisible(true);
    // Disabling the window took the keyboard focus away; a keyboard user goes on from where
    // the transfer was started.
    if (m_focusBeforeTransfer && m_focusBeforeTransfer->isVisible()) {
        activateWindow(); // the progress window had it
        m_focusBeforeTransfer->setFocus();
    }
    switch (outcome.job) {
    case SessionJob::Read:
        readFinished(outcome);
        break;
    case SessionJob::Store:
    case SessionJob::FactoryReset:
        storeFinished(outcome);
        break;
    case SessionJob::Identify:
        break;
    }
    m_desk->transferEnded(outcome.job);
}

void ConfigWindow::readFinished(const SessionOutcome &outcome) {
    // After a reconnect the operator may keep the settings shown: the read then only tells
    // what the module holds.
    const bool keepShown = std::exchange(m_keepShownImageOnRead, false);
    if (outcome.ok()) {
        if (keepShown)
            m_moduleBaseline = outcome.received;
        else
            showReadImage(outcome.received);
        return;
    }
    if (!m_session->protocol().link().aborted())
        reportFailure(outcome.message + QStringLiteral(" The settings shown were kept."));
}

void ConfigWindow::showReadImage(const EepromImage &image) {
    showWholeImage(image);
    // A read rewrites every mapping byte, whatever the mapping mode.
    m_table->enableMappingBytes();
    m_table->showMappingBytes();
    // What the window shows of a module is the baseline, tidied as the window tidies it.
    m_moduleBaseline = imageToStore();
}

void ConfigWindow::storeFinished(const SessionOutcome &outcome) {
    if (m_session->protocol().link().aborted())
        return; // the program is ending
    const bool reset = outcome.job == SessionJob::FactoryReset;
    if (outcome.ok())
        m_moduleBaseline = outcome.sent;
    if (outcome.ok() && reset) {
        QString text = QStringLiteral("The factory settings were stored and checked.");
        if (!outcome.backup.isEmpty())
            text += QLatin1Char('\n') + backupNote(outcome.backup);
        m_host.showMessage(text);
    } else if (!outcome.ok()) {
        // The same account of what the module now holds as the command line gives, and the
        // differing settings by the names the window shows them under.
        QString text = storeReport(outcome, m_host.portName());
        if (!outcome.differences.empty())
            text += QLatin1Char('\n') + differencesText(kind(), outcome.differences);
        reportFailure(text);
    }
    // After a reset the window shows what the module now holds, whether it worked or not.
    if (reset && !m_session->protocol().link().failed())
        readSettings();
}

} // namespace tessel
