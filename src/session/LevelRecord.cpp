// SPDX-License-Identifier: Apache-2.0
#include "session/LevelRecord.h"

#include <QStringList>
#include <cstdlib>
#include <numeric>

namespace tessel {

namespace {
const std::vector<int> &allInputs() {
    static const std::vector<int> inputs = [] {
        std::vector<int> all(map::kAnalogInputs);
        std::iota(all.begin(), all.end(), 0);
        return all;
    }();
    return inputs;
}
} // namespace

QString isoTimeWithOffset(const QDateTime &time, bool milliseconds) {
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toString(milliseconds ? QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")
                                      : QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString levelCsvHeader(const std::vector<int> &inputs) {
    QStringList cells = {QStringLiteral("time")};
    for (const int input : inputs)
        cells << QStringLiteral("in%1").arg(input);
    return cells.join(QLatin1Char(','));
}

QString levelCsvRow(const LevelPass &pass, const std::vector<int> &inputs) {
    QStringList cells = {isoTimeWithOffset(pass.time, true)};
    for (const int input : inputs) {
        const int level = pass.levels.at(input);
        cells << (level < 0 ? QString() : QString::number(level));
    }
    return cells.join(QLatin1Char(','));
}

LevelRecord::LevelRecord(QObject *parent) : QObject(parent) {
    m_flush.setInterval(kFlushMillis);
    connect(&m_flush, &QTimer::timeout, this, [this] {
        if (!flush())
            fail();
    });
}

LevelRecord::~LevelRecord() {
    stop();
}

bool LevelRecord::start(const QString &path) {
    stop();
    m_rows = 0;
    m_error.clear();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        m_file.write((levelCsvHeader(allInputs()) + QLatin1Char('\n')).toUtf8()) < 0 || !flush())
        return fail();
    m_flush.start();
    return true;
}

void LevelRecord::add(const LevelPass &pass) {
    if (!recording())
        return;
    if (m_file.write((levelCsvRow(pass, allInputs()) + QLatin1Char('\n')).toUtf8()) < 0) {
        fail();
        return;
    }
    Q_EMIT rowAdded(++m_rows);
}

bool LevelRecord::stop() {
    if (!recording())
        return m_error.isEmpty();
    m_flush.stop();
    if (!flush())
        return fail();
    m_file.close();
    return true;
}

bool LevelRecord::flush() {
    return m_file.flush() && m_file.error() == QFileDevice::NoError;
}

bool LevelRecord::fail() {
    m_error = QStringLiteral("cannot write %1: %2").arg(m_file.fileName(), m_file.errorString());
    m_flush.stop();
    m_file.close();
    Q_EMIT failed();
    return false;
}

} // namespace tessel
