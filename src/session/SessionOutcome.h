// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/Commands.h"
#include "core/EepromImage.h"
#include "link/protocol/ReplyPace.h"

#include <QMetaType>
#include <QString>
#include <optional>
#include <vector>

namespace tessel {

// What the owner of a session can ask of the module. A link test is one test, answered or not
// (a production station waits for a module, and for its removal, with them); reading inputs
// reads analog levels, pass after pass while asked to.
enum class SessionJob { Identify, Read, Store, FactoryReset, LinkTest, ReadInputs };

// What a running job is doing at the moment; a store that is checked goes on to Verifying.
enum class SessionPhase { Identifying, Reading, Storing, Verifying };

// What became of a request: it ran, it waits behind the running one, or it was not taken.
enum class Admission { Started, Queued, Refused };

enum class SessionStatus {
    Done,
    NoAnswer,       // no link test was answered
    NotIdentified,  // the link test was answered, the identification not
    Refused,        // nothing was sent: the module or the image does not allow the store
    NotConfirmed,   // a block's store was answered wrongly or not at all
    LinkFailed,     // the line dropped, the operator cancelled, or the attempts ran out
    ReadBackFailed, // every block was stored and confirmed, but reading them back failed
    Differs,        // the memory read back after the store is not what was sent
    Stopped,        // asked to stop: the store ended between two blocks
    Unreliable,     // a read never agreed with itself: the line changes bytes
    OutOfStep,      // link tests were answered, but never with 88
    ModuleChanged,  // nothing was sent: the memory read first is not what was last known
};

// What a block was found to hold when it was read again after a store.
enum class BlockHolds {
    New,     // what was sent
    Old,     // what it held before the store
    Neither, // neither: the line changed what was sent
    NotNew,  // not what was sent; what it held before is not known
};

// How a job ended, and what is now known of the module's memory.
struct SessionOutcome {
    SessionJob job = SessionJob::Identify;
    SessionStatus status = SessionStatus::Done;
    QString message; // for the operator; empty when Done
    // What the operator must know however the job ended: the line garbled a command that the
    // module may have acted on. Empty when nothing was seen.
    QString warning;
    EepromImage sent; // the copy a store or factory reset sent
    // What a read, the read-back of a checked store, or the read before a store that found
    // the memory changed returned.
    EepromImage received;
    // The block at which a store stopped: the one not confirmed, or (Stopped) the first not
    // sent.
    int failedBlock = -1;
    // Where the read-back differs from what was sent, or (ModuleChanged) where the memory
    // differs from what was last known of it, in address order.
    std::vector<int> differences;
    QString backup; // where the memory was saved before the store, when it was
    // The memory saved was read after the line had garbled a command into a store the module
    // confirmed (since the module was identified): the backup may hold a changed block.
    bool backupAfterGarble = false;
    // After a store that failed or read back differently: what each block holds, read again
    // (checked); empty when it could not be read again.
    std::vector<BlockHolds> holds;

    // What the session knew once the job had ended: the module's identity, its memory (as in
    // ModuleSession), how late it was seen to answer, and why the line is gone (empty while it
    // works).
    std::optional<wire::IdentityReply> identity;
    std::optional<EepromImage> moduleImage;
    ReplyPace pace;
    QString lineFailure;
    // The module left the line during the job (see ModuleLink::setSilenceLimit): nothing
    // after that was taken as its own.
    bool moduleLeft = false;
    // How long the job took on the line's clock (a link test: until its answer).
    qint64 tookMicros = 0;

    [[nodiscard]] bool ok() const { return status == SessionStatus::Done; }
    // The blocks that hold the differences, in order, each once.
    [[nodiscard]] std::vector<int> differingBlocks() const;
    // What each block holds now by the account a store's report gives: the new settings
    // (confirmed, or read again equal), the old (not sent), or something else or unknown (a
    // store not confirmed, bytes the line changed). All Old for a job that sent nothing.
    [[nodiscard]] std::vector<BlockHolds> blockAccount() const;
};

// Addresses at which two images hold different values, in address order.
std::vector<int> differingAddresses(const EepromImage &a, const EepromImage &b);

// What `block` of `now` holds, against what was `sent` and what it held `before`.
BlockHolds blockHolds(const EepromImage &now, const EepromImage &sent,
                      const std::optional<EepromImage> &before, int block);

// "read", "store", "factory reset": how the trace names a job.
QString jobName(SessionJob job);
// The same in the user's language, for the messages the windows show.
QString shownJobName(SessionJob job);

} // namespace tessel

Q_DECLARE_METATYPE(tessel::SessionOutcome)
