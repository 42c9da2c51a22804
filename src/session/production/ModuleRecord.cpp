// SPDX-License-Identifier: Apache-2.0
#include "session/production/ModuleRecord.h"

#include "core/ModuleKind.h"

#include <QJsonArray>
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

namespace {
// A value as the CSV file writes it: text as it is, a number in digits, a list of numbers
// separated by blanks, nothing for null.
QString csvText(const QJsonValue &value) {
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toInt());
    QStringList numbers;
    for (const QJsonValue &number : value.toArray())
        numbers << QString::number(number.toInt());
    return numbers.join(QLatin1Char(' '));
}

QJsonArray blockList(const ModuleRecord &r) {
    QJsonArray blocks;
    for (const int block : r.differingBlocks)
        blocks.append(block);
    return blocks;
}

QJsonValue knownOrNull(int value) {
    return value < 0 ? QJsonValue() : QJsonValue(value);
}

QJsonValue textOrNull(const QString &text) {
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

// Each field of a record: its column in the CSV file (the names files already written rely on;
// none for a field the file leaves out), its key in the JSON event, its value, and its text in
// the file where that is not the value's.
struct RecordField {
    const char *column;
    const char *key;
    QJsonValue (*value)(const ModuleRecord &);
    QString (*text)(const ModuleRecord &) = nullptr;
};

const RecordField kFields[] = {
    {"time", "time",
     [](const ModuleRecord &r) -> QJsonValue { return isoTimeWithOffset(r.finished); }},
    {"port", "port", [](const ModuleRecord &r) -> QJsonValue { return r.port; }},
    // With a units file: the unit given to the module (the record database keeps it).
    {nullptr, "unit", [](const ModuleRecord &r) { return textOrNull(r.unit); }},
    // The file names a kind this program does not know, or none, in words; JSON has null.
    {"kind", "kind",
     [](const ModuleRecord &r) {
         return moduleKindFromKey(r.kind) ? QJsonValue(r.kind) : QJsonValue();
     },
     [](const ModuleRecord &r) { return r.kind; }},
    {"firmware_version", "firmwareVersion",
     [](const ModuleRecord &r) { return knownOrNull(r.firmwareVersion); }},
    {"release_year", "releaseYear",
     [](const ModuleRecord &r) { return knownOrNull(r.releaseYear); }},
    {"result", "result", [](const ModuleRecord &r) -> QJsonValue { return resultKey(r.result); },
     [](const ModuleRecord &r) {
         return resultKey(r.result) +
                (r.warning.isEmpty() ? QString() : QLatin1String(kGarbledResultSuffix));
     }},
    {"differing_blocks", "differingBlocks",
     [](const ModuleRecord &r) -> QJsonValue { return blockList(r); }},
    {"backup", "backup", [](const ModuleRecord &r) { return textOrNull(r.backup); }},
    {"seconds", "seconds", [](const ModuleRecord &r) -> QJsonValue { return r.seconds; },
     [](const ModuleRecord &r) { return QString::number(r.seconds, 'f', 1); }},
    {nullptr, "message", [](const ModuleRecord &r) { return textOrNull(r.message); }},
    {nullptr, "warning", [](const ModuleRecord &r) { return textOrNull(r.warning); }},
};
} // namespace

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

std::optional<ModuleResult> resultOfKey(const QString &key) {
    for (int r = 0; r <= static_cast<int>(ModuleResult::LinkLost); ++r) {
        if (resultKey(static_cast<ModuleResult>(r)) == key)
            return static_cast<ModuleResult>(r);
    }
    return std::nullopt;
}

QString recordHeader() {
    QStringList columns;
    for (const RecordField &field : kFields) {
        if (field.column)
            columns << QLatin1String(field.column);
    }
    return columns.join(QLatin1Char(','));
}

QString recordLine(const ModuleRecord &r) {
    QStringList values;
    for (const RecordField &field : kFields) {
        if (field.column)
            values << csvField(field.text ? field.text(r) : csvText(field.value(r)));
    }
    return values.join(QLatin1Char(','));
}

QJsonObject recordJson(const ModuleRecord &r) {
    QJsonObject object;
    for (const RecordField &field : kFields)
        object.insert(QLatin1String(field.key), field.value(r));
    return object;
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
