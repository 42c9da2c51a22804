// SPDX-License-Identifier: Apache-2.0
// What the configuration window says of its own state besides the form: the status line
// (port, connection, last transfer), the line that stands in for a hidden store button, the
// operator's Cancel, and the questions after a store that was stopped or found the module's
// memory changed.

#include "session/SessionClient.h"
#include "session/StoreReport.h"
#include "ui/config/ConfigWindow.h"
#include "ui/config/ScrollingForm.h"
#include "ui/config/StoreHiddenLine.h"
#include "ui/config/TransferSummary.h"
#include "ui/config/WindowStatusLine.h"
#include "ui/dialogs/WindowHost.h"

#include <QLayout>
#include <QPushButton>
#include <utility>

namespace tessel {

void ConfigWindow::buildStateLines() {
    m_storeHiddenLine = new StoreHiddenLine(m_scroll->footer());
    m_storeHiddenLine->setGeometry(m_storeSettings->geometry());
    m_statusLine = new WindowStatusLine(this);
    layout()->addWidget(m_statusLine);
}

bool ConfigWindow::cancelTransfer() {
    // The start-up reads have nothing to keep yet: Cancel there ends the program.
    if (m_loading)
        return false;
    m_cancelAsked = true;
    m_session->cancel();
    return true;
}

bool ConfigWindow::lineGoneOffersReconnect(const QString &nothingDone) {
    if (!m_session->lineGone())
        return false;
    if (!m_session->aborted())
        m_host.lineLost(m_session->lineFailure() + QLatin1Char(' ') + nothingDone);
    return true;
}

void ConfigWindow::showLineState() {
    m_statusLine->showPort(m_host.portName());
    m_statusLine->showConnection(m_session->lineGone() ? tr("Line lost") : tr("Connected"));
}

void ConfigWindow::showLastTransfer(const SessionOutcome &outcome) {
    // The read that shows what a factory reset left is part of the reset, which stays told.
    if (outcome.job == SessionJob::Read && std::exchange(m_readAfterReset, false) && outcome.ok())
        return;
    if (outcome.status == SessionStatus::Refused && outcome.failedBlock < 0 &&
        outcome.backup.isEmpty() && outcome.job != SessionJob::Identify)
        return; // refused before anything was asked of the module: no transfer took place
    m_statusLine->showLastTransfer(
        transferSummary(outcome, m_cancelAsked, QTime::currentTime(), m_restoring), outcome.backup);
    showLineState();
}

void ConfigWindow::offerStoreAgain(const SessionOutcome &outcome) {
    const QString text =
        storeReport(outcome, m_host.portName()) + tr("\n\nStore the settings shown again?");
    if (m_host.askChoice(text, {tr("Store Again"), tr("Not Now")}, 1) == 0)
        storeSettings();
}

void ConfigWindow::askAboutChangedMemory(const SessionOutcome &outcome, bool restoring) {
    const QString text =
        outcome.message +
        tr("\n\nNothing was sent. Store Anyway overwrites what the module holds now "
           "(a backup of it is saved first); Show the Module's Settings replaces "
           "the settings shown with it.");
    const QStringList answers{tr("Store Anyway"), tr("Show the Module's Settings"), tr("Cancel")};
    switch (m_host.askChoice(text, answers, 2)) {
    case 0:
        restoring ? restoreMemory(outcome.sent) : storeSettings();
        break;
    case 1:
        showImage(outcome.received, ShowAs::Read);
        m_desk->checkpoint(tr("Show the Module's Settings"));
        break;
    default:
        break;
    }
}

void ConfigWindow::showStoreHiddenLine() {
    m_storeHiddenLine->showWhy(!m_transferButtonsShown, invalidFields());
}

} // namespace tessel
