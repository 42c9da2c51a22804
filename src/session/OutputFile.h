// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QString>

namespace tessel {

// A file the program writes whole (a profile, a report) so that it is what it says, or the
// command fails naming it:
// - a regular file, or one not there yet, is replaced at once: the text goes into a temporary
//   file beside it, is flushed to disk, takes the old file's mode and owner where it can, and
//   is renamed over it, so a reader sees the old text or the new, never half of it;
// - a regular file with other hard links is written in place, so that every name keeps
//   showing the same file;
// - anything else (a device, a FIFO, a terminal, /dev/stdout) is written in place and never
//   replaced: the program must not turn /dev/null into a regular file.
// open() claims the place early, so that a command can refuse before it talks to a module;
// commit() writes. Until commit() succeeds the old file is untouched; a temporary file left
// over is removed.
class OutputFile {
public:
    explicit OutputFile(QString path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    [[nodiscard]] bool open();
    [[nodiscard]] bool commit(const QByteArray &bytes);

    [[nodiscard]] const QString &path() const { return m_path; }
    // True when what open() claimed is the file or device `path` names (its links followed).
    [[nodiscard]] bool isSameFileAs(const QString &path) const;
    // "cannot write out.txt: No space left on device"
    [[nodiscard]] const QString &error() const { return m_error; }

private:
    bool fail(const QString &why);
    bool openInPlace(bool truncate);
    bool openBeside(const QString &target);
    void discard();

    QString m_path;
    QString m_target;    // the file a replacement is renamed onto (links followed)
    QString m_temporary; // empty when writing in place
    int m_fd = -1;
    bool m_truncate = false; // a regular file written in place is emptied first
    QString m_error;
};

// Writes all of `bytes` to `fd` and flushes them to disk (a device or a pipe that cannot be
// flushed is fine). Empty on success, else the system's reason.
[[nodiscard]] QString writeAndSync(int fd, const QByteArray &bytes);
// Flushes a folder, so that a file just made or renamed in it survives a power cut.
void syncFolder(const QString &folder);
// True when the open `fd` is the file or device `path` names: one inode, or one device.
[[nodiscard]] bool sameFile(int fd, const QString &path);
// The system's words for the current errno: "No space left on device".
[[nodiscard]] QString systemError();

// Writes a production profile as `read -o` does (the text and a line break), replacing the
// file only once the whole text is written. Why it could not be written, or empty.
QString writeProfileFile(const QString &path, const QString &profile);

} // namespace tessel
