#pragma once

#include <QDateTime>
#include <QFile>
#include <QList>
#include <QString>

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

// One module that went through a production run.
struct ModuleRecord {
    QDateTime finished; // local time with its offset from UTC
    QString port;
    // "tessel", "threshold", "unknown" for a kind byte this program does not know, or
    // "unidentified" when no identification came.
    QString kind;
    int firmwareVersion = -1;
    QString releaseYear;
    ModuleResult result = ModuleResult::Ok;
    QList<int> differingBlocks; // when verification failed
    QString backup;
    double seconds = 0;
    QString message; // for the operator when it did not end ok; not part of the file

    [[nodiscard]] bool ok() const { return result == ModuleResult::Ok; }
};

// "2025-03-09T14:05:07+02:00": ISO 8601 with the offset from UTC always written out.
[[nodiscard]] QString isoTimeWithOffset(const QDateTime &time);

// The first line of a record file.
[[nodiscard]] QString recordHeader();
// One record as a line of comma-separated values, without the line end.
[[nodiscard]] QString recordLine(const ModuleRecord &record);

// The production record: one line per module, appended and forced to disk before the next
// module starts, so that a power cut loses at most the module in progress. An existing file
// is never rewritten.
class RecordFile {
public:
    explicit RecordFile(const QString &path) : m_file(path) {}

    // Opens for appending, writing the header when the file is new or empty; an error message
    // when it cannot be written or holds something other than records.
    [[nodiscard]] QString open();
    // Appends one record and waits until it is on the disk; an error message when it is not.
    [[nodiscard]] QString append(const ModuleRecord &record);

private:
    [[nodiscard]] QString writeDurably(const QByteArray &bytes);

    QFile m_file;
};

} // namespace tessel
