#include "cli/commands/ModuleRecord.h"

#include <QStringList>
#include <cstdlib>
#include <unistd.h>

namespace tessel {

QString csvField(const QString &value) {
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) &&
        !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString resultKey(ModuleResult result) {
    switch (result) {
    case ModuleResult::Ok:
        return QStringLiteral("ok");
    case ModuleResult::AlreadyProgrammed:
        return QStringLiteral("already-programmed");
    case ModuleResult::WrongKind:
        return QStringLiteral("wrong-kind");
    case ModuleResult::Unidentified:
        return QStringLiteral("unidentified");
    case ModuleResult::Stopped:
        return QStringLiteral("stopped");
    case ModuleResult::StoreFailed:
        return QStringLiteral("store-failed");
    case ModuleResult::VerifyFailed:
        return QStringLiteral("verify-failed");
    case ModuleResult::LinkLost:
        break;
    }
    return QStringLiteral("link-lost");
}

QString isoTimeWithOffset(const QDateTime &time) {
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString recordHeader() {
    return QStringLiteral(
        "time,port,kind,firmware_version,release_year,result,differing_blocks,backup,seconds");
}

QString recordLine(const ModuleRecord &r) {
    QStringList blocks;
    for (const int block : r.differingBlocks)
        blocks << QString::number(block);
    const QStringList fields = {
        isoTimeWithOffset(r.finished),
        csvField(r.port),
        csvField(r.kind),
        r.firmwareVersion < 0 ? QString() : QString::number(r.firmwareVersion),
        csvField(r.releaseYear),
        resultKey(r.result),
        blocks.join(QLatin1Char(' ')),
        csvField(r.backup),
        QString::number(r.seconds, 'f', 1),
    };
    return fields.join(QLatin1Char(','));
}

QString RecordFile::open() {
    const QString path = m_file.fileName();
    if (!m_file.open(QIODevice::ReadWrite)) {
        return QStringLiteral("cannot write the record file %1: %2")
            .arg(path, m_file.errorString());
    }
    if (m_file.size() == 0)
        return writeDurably(recordHeader().toUtf8() + '\n');
    const QByteArray first = m_file.readLine().trimmed();
    if (QString::fromUtf8(first) != recordHeader()) {
        m_file.close();
        return QStringLiteral("%1 is not a record file of this program (its first line is not "
                              "\"%2\"); it was left as it is")
            .arg(path, recordHeader());
    }
    // A record cut short by a power failure keeps its own line; the next one starts afresh.
    m_file.seek(m_file.size() - 1);
    const bool endsWithLine = m_file.read(1) == "\n";
    m_file.seek(m_file.size());
    return endsWithLine ? QString() : writeDurably("\n");
}

QString RecordFile::append(const ModuleRecord &record) {
    return writeDurably(recordLine(record).toUtf8() + '\n');
}

QString RecordFile::writeDurably(const QByteArray &bytes) {
    m_file.seek(m_file.size());
    if (m_file.write(bytes) != bytes.size() || !m_file.flush() || ::fsync(m_file.handle()) != 0) {
        return QStringLiteral("cannot write the record file %1: %2")
            .arg(m_file.fileName(), m_file.errorString());
    }
    return {};
}

} // namespace tessel
