// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/SessionClient.h"

#include <QString>
#include <functional>
#include <optional>

namespace tessel {

class OutputFile;

// The commands that talk to a module, each through the module's session, one job after another:
// each waits for its job in the main thread's event loop, where Ctrl-C comes in. Each returns
// an exit status and has said what happened: results on standard output, failures on standard
// error.
class ModuleCommands {
public:
    // `where` names the port (or the simulated module) in messages.
    ModuleCommands(SessionClient &session, QString where)
        : m_session(session), m_where(std::move(where)) {}

    // Link test, then identification; every command starts with it.
    int identify();
    // The identified kind, or nothing (and a message) when the module reports another. The
    // commands that store or compare need it.
    std::optional<ModuleKind> knownKind();

    [[nodiscard]] SessionClient &session() { return m_session; }
    [[nodiscard]] const QString &where() const { return m_where; }

    // Results as one JSON document each instead of text.
    void setJson(bool json) { m_json = json; }
    // diff lists each setting's addresses and byte values under it.
    void setBytes(bool bytes) { m_bytes = bytes; }

    int printIdentity();
    int read(OutputFile *output);
    // Stores read the memory back when the session is set to, and save it first when the
    // session has a backup.
    int write(ModuleKind kind, const ModuleMemory &profile);
    int factoryReset(ModuleKind kind);
    int diff(ModuleKind kind, const ModuleMemory &profile);
    // True once a job ended with the module having confirmed a store the line made of
    // another command (and the operator was told).
    [[nodiscard]] bool lineGarbledAStore() const { return m_garbledStore; }

    // Ctrl-C or SIGTERM: a store ends after the block in flight is confirmed, so that every
    // block holds either the old or the new settings; any other wait (and a store asked twice)
    // ends at once.
    void interrupt();

private:
    // Reads the whole memory; the exit status, and the image in `image` on success.
    int readMemory(EepromImage &image);
    int readFailure(const SessionOutcome &outcome);
    // Runs `ask`, a request to the session, to its end; false when it was refused.
    bool runJob(const std::function<Admission()> &ask);
    // Runs a store that `ask` hands to the session; says how it ended and returns the status.
    int store(const std::function<Admission()> &ask, ModuleKind kind, const QString &sentName,
              const QString &doneLine);
    // Everything the operator is told after a store that did not end well.
    int storeFailure(ModuleKind kind, const SessionOutcome &outcome, const QString &sentName);

    SessionClient &m_session;
    QString m_where;
    bool m_json = false;
    bool m_bytes = false;
    bool m_stopAsked = false;
    bool m_garbledStore = false;
};

} // namespace tessel
