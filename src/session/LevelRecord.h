// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "session/LevelMonitor.h"

#include <QFile>
#include <QObject>
#include <QTimer>

namespace tessel {

// The CSV form of levels, one line per pass: the wall-clock time in ISO 8601 with its offset
// from UTC, then one column per input; an input that did not answer is an empty field, never
// a level the module did not send.
QString levelCsvHeader(const std::vector<int> &inputs);
QString levelCsvRow(const LevelPass &pass, const std::vector<int> &inputs);
// "2025-03-09T14:05:07+02:00" (with milliseconds "...07.250+02:00"): ISO 8601 with the
// offset from UTC always written out, "+00:00" rather than "Z", as every record writes times.
QString isoTimeWithOffset(const QDateTime &time, bool milliseconds = false);

// A record of levels in a CSV file with a column for each of the 16 inputs, a row for each
// pass. Rows reach the disk at least once a second, so that a record cut off by a crash or a
// pulled cable loses at most the last second.
class LevelRecord : public QObject {
    Q_OBJECT
public:
    static constexpr int kFlushMillis = 1000;

    explicit LevelRecord(QObject *parent = nullptr);
    ~LevelRecord() override;

    // Starts a record in a new file at `path` (one there is replaced) with its header; false,
    // with error() saying why, when it cannot be written.
    bool start(const QString &path);
    void add(const LevelPass &pass);
    // Writes what is left and closes the file; false, with error(), when that failed.
    bool stop();

    [[nodiscard]] bool recording() const { return m_file.isOpen(); }
    [[nodiscard]] qint64 rows() const { return m_rows; }
    [[nodiscard]] QString path() const { return m_file.fileName(); }
    [[nodiscard]] const QString &error() const { return m_error; }

Q_SIGNALS:
    void rowAdded(qint64 rows);
    // The record could not be written on and has ended; error() says why.
    void failed();

private:
    bool flush();
    bool fail();

    QFile m_file;
    QTimer m_flush;
    qint64 m_rows = 0;
    QString m_error;
};

} // namespace tessel
