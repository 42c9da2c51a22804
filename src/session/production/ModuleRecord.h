// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "core/EepromImage.h"
#include "session/LevelRecord.h"

#include <QDateTime>
#include <QFile>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tessel {

// How programming one module ended, as the record file and the JSON events name it.
enum class ModuleResult {
    Ok,
    AlreadyProgrammed, // it held the profile already: nothing was stored
    WrongKind,
    Unidentified, // it answered the link test but no identification could be taken
    Stopped,      // a stop came before its store: nothing was stored
    StoreFailed,
    VerifyFailed,
    LinkLost,
};

// "ok", "already-programmed", "wrong-kind", "unidentified", "stopped", "store-failed",
// "verify-failed", "link-lost".
[[nodiscard]] QString resultKey(ModuleResult result);
// The result a key names; none for a key this program does not write.
[[nodiscard]] std::optional<ModuleResult> resultOfKey(const QString &key);

// One module that went through a production run.
struct ModuleRecord {
    QDateTime finished; // local time with its offset from UTC
    QString port;
    // "tessel", "threshold", "unknown" for a kind byte this program does not know, or
    // "unidentified" when no identification came.
    QString kind;
    int firmwareVersion = -1; // -1 until identified
    int releaseYear = -1;
    ModuleResult result = ModuleResult::Ok;
    QList<int> differingBlocks; // when verification failed
    QString backup;
    double seconds = 0;
    QString message; // for the operator when it did not end ok; not part of the file
    // What the operator must know besides: the line turned a command into a block store that
    // this module confirmed while it was worked on. Empty when nothing was seen. The file's
    // result says so with a suffix (see recordLine).
    QString warning;
    // The module's memory as read for its backup, before anything was stored; none when it
    // was not read.
    std::optional<EepromImage> before;
    // With a units file: the unit given to the module, the settings it set, and whether the
    // module may hold part of it although it did not end ok.
    QString unit;
    QStringList unitSettings;
    bool unitMayBeStored = false;

    [[nodiscard]] bool ok() const { return result == ModuleResult::Ok; }
};

// A value as one CSV field: quoted when it holds a separator, a quote or a line end, so that
// a port or a backup path with a comma keeps its column.
[[nodiscard]] QString csvField(const QString &value);

// The first line of a record file.
[[nodiscard]] QString recordHeader();
// The suffix of the file's result when the record carries a warning ("ok+garbled-store").
// Files already written are appended to with their own columns, so the warning goes into a
// field every reader already has; a reader that knows only "ok" takes such a module for one
// to look at, which it is.
inline constexpr char kGarbledResultSuffix[] = "+garbled-store";

// One record as a line of comma-separated values, without the line end.
[[nodiscard]] QString recordLine(const ModuleRecord &record);
// The same record as the keys of program's JSON "module" event, with the message.
[[nodiscard]] QJsonObject recordJson(const ModuleRecord &record);

// Where a production run keeps its records: a CSV file or a database.
class RecordStore {
public:
    virtual ~RecordStore() = default;
    // Opens the record for appending; an error message when it cannot be.
    [[nodiscard]] virtual QString open() = 0;
    // Appends one record, and settles the state of its unit, durably; an error message when
    // it could not.
    [[nodiscard]] virtual QString append(const ModuleRecord &record) = 0;
};

// The production record: one line per module, appended and forced to disk before the next
// module starts, so that a power cut loses at most the module in progress. An existing file
// is never rewritten.
class RecordFile : public RecordStore {
public:
    explicit RecordFile(const QString &path) : m_file(path) {}

    // Opens for appending, writing the header when the file is new or empty; an error message
    // when it cannot be written or holds something other than records.
    [[nodiscard]] QString open() override;
    // Appends one record and waits until it is on the disk; an error message when it is not.
    [[nodiscard]] QString append(const ModuleRecord &record) override;

private:
    [[nodiscard]] QString writeDurably(const QByteArray &bytes);

    QFile m_file;
};

} // namespace tessel
