// SPDX-License-Identifier: Apache-2.0
// The configuration window's exchanges with the module: identification and load, reading
// and storing the whole memory, and the factory settings. Each is a request to the module's
// session, which runs it on its own thread; this file turns the session's signals into what
// the operator sees, and takes the next step of a load when the one before has ended.

#include "core/FieldNames.h"
#include "core/SettingChanges.h"
#include "link/protocol/SettingsTransfer.h"
#include "session/SessionClient.h"
#include "session/StoreReport.h"
#include "ui/config/ConfigWindow.h"
#include "ui/config/DeviceTable.h"
#include "ui/config/SettingsBands.h"
#include "ui/config/WindowVariant.h"
#include "ui/dialogs/ProgressWindow.h"
#include "ui/dialogs/WindowHost.h"

#include <utility>

namespace tessel {

namespace {

constexpr int kDifferencesNamed = 8;

QString progressCaption(SessionPhase phase) {
    switch (phase) {
    case SessionPhase::Reading:
        return ConfigWindow::tr("Loading Settings from Controller....");
    case SessionPhase::Storing:
        return ConfigWindow::tr("Storing Settings in Tessel Module....");
    case SessionPhase::Verifying:
        return ConfigWindow::tr("Verifying...");
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
            names << ConfigWindow::tr("and %1 more").arg(differences.size() - kDifferencesNamed);
            break;
        }
        names << fieldName(kind, address);
    }
    return ConfigWindow::tr("The module holds other values than were sent for: %1.")
        .arg(names.join(QStringLiteral(", ")));
}

} // namespace

void ConfigWindow::connectSession() {
    connect(m_session, &SessionClient::started, this, &ConfigWindow::transferStarted);
    connect(m_session, &SessionClient::phaseChanged, this, &ConfigWindow::phaseChanged);
    connect(m_session, &SessionClient::progress, this,
            [this](SessionPhase, int address) { m_host.progressWindow().setAddress(address); });
    connect(m_session, &SessionClient::finished, this, &ConfigWindow::transferFinished);
    connect(m_session, &SessionClient::refused, this, [this](SessionJob job, const QString &why) {
        if (job == SessionJob::Read)
            m_keepShownImageOnRead = false;
        if (!m_session->aborted())
            m_host.showMessage(why);
    });
    m_session->setVerifyAfterStore(true);
    // The backup holds what the module holds when the store starts, not when it was read.
    m_session->setReadBeforeStore(true);
    connect(m_session, &SessionClient::lost, this, &ConfigWindow::showLineState);
}

void ConfigWindow::attachSession(SessionClient &session) {
    disconnect(m_session, nullptr, this, nullptr);
    m_session = &session;
    connectSession();
    m_session->setInvalidFields(invalidFields());
    m_variant->useSession(*m_session);
    showLineState();
}

void ConfigWindow::loadAfterReconnect(bool keepShownImage) {
    m_identifying = Identifying::AfterReconnect;
    m_keepAfterReconnect = keepShownImage;
    m_session->identify();
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
    if (m_session->lineGone())
        m_host.lineLost(text);
    else
        m_host.showMessage(text);
}

void ConfigWindow::loadFromModule() {
    setWide(false);
    m_image = startImage();
    m_bands->resetModeValues();
    showLineState();
    m_identifying = Identifying::AtStart;
    m_session->identify();
}

void ConfigWindow::identified(const SessionOutcome &outcome) {
    const Identifying purpose = std::exchange(m_identifying, Identifying::None);
    const bool ok = outcome.ok() && outcome.identity;
    if (purpose == Identifying::AtStart) {
        if (ok)
            loadIdentifiedModule(*outcome.identity);
        else
            Q_EMIT loaded(false, m_session->aborted() ? QString() : outcome.message);
    } else if (purpose == Identifying::AfterReconnect) {
        if (!ok) {
            if (!m_session->aborted())
                reportFailure(outcome.message);
            return;
        }
        setCaption(wire::windowCaption(*outcome.identity));
        m_keepShownImageOnRead = m_keepAfterReconnect;
        readSettings();
    }
}

void ConfigWindow::loadIdentifiedModule(const wire::IdentityReply &identity) {
    setCaption(wire::windowCaption(identity));
    setTransferButtonsVisible(true);
    show();
    // Both reads are asked for at once; the second waits for the first in the session. The
    // load ends when the last has.
    m_loading = true;
    m_loadReadsLeft = 2;
    m_loadReadsAsked = false;
    readSettings();
    showControls();
    readSettings();
    m_loadReadsAsked = true;
    if (m_loadReadsLeft == 0)
        loadReadEnded();
}

void ConfigWindow::loadReadEnded() {
    if (!m_loading || !m_loadReadsAsked || m_loadReadsLeft > 0)
        return;
    m_loading = false;
    m_table->showMappingBytes();
    m_desk->restart();
    Q_EMIT loaded(true, {});
}

void ConfigWindow::readSettings() {
    const bool asked =
        !lineGoneOffersReconnect(tr("Nothing was read; the settings shown were kept.")) &&
        m_session->read() != Admission::Refused;
    if (!asked && m_loading) {
        --m_loadReadsLeft;
        loadReadEnded();
    }
}

void ConfigWindow::storeSettings() {
    if (lineGoneOffersReconnect(tr("Nothing was stored, and no backup was made.")))
        return;
    // A store asked for while another transfer runs leaves the image as it is.
    const EepromImage toStore = imageToStore();
    if (!m_session->busy())
        m_image = toStore;
    m_session->store(toStore);
}

void ConfigWindow::restoreMemory(const EepromImage &memory) {
    if (lineGoneOffersReconnect(tr("Nothing was stored, and no backup was made.")))
        return;
    // Only a store of its own may be taken for the restore: none waits behind another job.
    if (m_session->busy())
        return;
    // Set first: a session in the caller's thread ends the store before store() returns.
    m_restoring = true;
    if (m_session->store(memory) == Admission::Refused)
        m_restoring = false;
}

void ConfigWindow::restoreFactorySettings() {
    if (!m_host.askQuestion(tr("Overwrite all settings of this module with the factory settings?")))
        return;
    startFactoryReset();
}

void ConfigWindow::startFactoryReset() {
    if (lineGoneOffersReconnect(tr("Nothing was stored, and no backup was made.")))
        return;
    // The communication mode the window shows survives the reset.
    m_session->factoryReset(m_bands->modeByte());
}

// ---------------------------------------------------------------- the session's signals

void ConfigWindow::transferStarted(SessionJob job) {
    // Analog readings leave the window as it is: the operator ends a loop of them here.
    if (job == SessionJob::ReadInputs)
        return;
    // Nothing typed or clicked may change the image or start another exchange meanwhile.
    if (isEnabled())
        m_focusBeforeTransfer = focusWidget();
    m_cancelAsked = false;
    m_desk->transferStarting();
    setTransferButtonsVisible(false);
    setEnabled(false);
}

void ConfigWindow::phaseChanged(SessionPhase phase) {
    QString caption = progressCaption(phase);
    if (phase == SessionPhase::Reading && m_session->runningJob() != SessionJob::Read)
        caption = tr("Reading the module's memory before the store....");
    if (!caption.isEmpty())
        m_host.progressWindow().begin(caption, this);
}

void ConfigWindow::transferFinished(const SessionOutcome &outcome) {
    if (outcome.job == SessionJob::ReadInputs)
        return;
    m_host.progressWindow().hide();
    setEnabled(true);
    setTransferButtonsVisible(true);
    // Disabling the window took the keyboard focus away; a keyboard user goes on from where
    // the transfer was started.
    if (m_focusBeforeTransfer && m_focusBeforeTransfer->isVisible()) {
        activateWindow(); // the progress window had it
        m_focusBeforeTransfer->setFocus();
    }
    showLastTransfer(outcome);
    switch (outcome.job) {
    case SessionJob::Read:
        readFinished(outcome);
        break;
    case SessionJob::Store:
    case SessionJob::FactoryReset:
        storeFinished(outcome);
        break;
    case SessionJob::Identify:
        identified(outcome);
        break;
    case SessionJob::LinkTest:
    case SessionJob::ReadInputs:
        break;
    }
    m_desk->transferEnded(outcome.job);
    if (outcome.job == SessionJob::Read && m_loading) {
        --m_loadReadsLeft;
        loadReadEnded();
    }
}

void ConfigWindow::readFinished(const SessionOutcome &outcome) {
    // After a reconnect the operator may keep the settings shown: the read then only tells
    // what the module holds.
    const bool keepShown = std::exchange(m_keepShownImageOnRead, false);
    if (outcome.ok()) {
        m_moduleMemory = outcome.received;
        if (keepShown)
            m_moduleBaseline = outcome.received;
        else
            showImage(outcome.received, ShowAs::Read);
        return;
    }
    // Cancelled, it was the operator's own wish: the status line says what became of it.
    if (!m_session->aborted() && !m_cancelAsked)
        reportFailure(outcome.message + tr(" The settings shown were kept."));
}

void ConfigWindow::followAccount(const SessionOutcome &outcome) {
    const std::vector<BlockHolds> account = outcome.blockAccount();
    for (int block = 0; block < kBlockCount; ++block) {
        if (account[block] == BlockHolds::Old)
            continue;
        // A block that may hold either counts as not stored: its settings stay to be stored.
        const bool stored = account[block] == BlockHolds::New;
        for (int a = block * kBlockSize; a < (block + 1) * kBlockSize; ++a) {
            const int value = stored ? outcome.sent.value(a) : kUnknownEntry;
            m_moduleMemory.setValue(a, value);
            m_moduleBaseline.setValue(a, value);
        }
    }
}

void ConfigWindow::storeFinished(const SessionOutcome &outcome) {
    if (m_session->aborted())
        return; // the program is ending
    const bool reset = outcome.job == SessionJob::FactoryReset;
    const bool restoring = std::exchange(m_restoring, false);
    followAccount(outcome);
    if (restoring && outcome.ok()) {
        showImage(outcome.sent, ShowAs::Read); // the backup's bytes are the module's now
        m_desk->checkpoint(tr("Restore Backup"));
    }
    // A store that went well, or that Cancel ended before anything was sent, is told on the
    // status line alone.
    const bool nothingSent = outcome.failedBlock < 0 && outcome.status == SessionStatus::LinkFailed;
    if (outcome.status == SessionStatus::Stopped) {
        offerStoreAgain(outcome);
    } else if (outcome.status == SessionStatus::ModuleChanged) {
        askAboutChangedMemory(outcome, restoring);
    } else if (!outcome.ok() && !(nothingSent && m_cancelAsked)) {
        // The same account of what the module now holds as the command line gives, and the
        // differing settings by the names the window shows them under.
        QString text = storeReport(outcome, m_host.portName());
        if (!outcome.differences.empty())
            text += QLatin1Char('\n') + differencesText(kind(), outcome.differences);
        reportFailure(text);
    }
    // After a reset the window shows what the module now holds, whether it worked or not.
    if (reset && !m_session->lineGone()) {
        m_readAfterReset = true;
        readSettings();
    }
}

} // namespace tessel
