// SPDX-License-Identifier: Apache-2.0
#include "core/ProfileText.h"

#include "core/NumberText.h"

#include <QCoreApplication>
#include <QIODevice>

namespace tessel {

// The context the windows translate this file's texts in.
struct ProfileText {
    Q_DECLARE_TR_FUNCTIONS(tessel::ProfileText)
};

QString profileText(const EepromImage &image) {
    QString text;
    for (int block = 0; block < kBlockCount; ++block) {
        text += QStringLiteral("DATA");
        for (int j = 0; j < kBlockSize; ++j) {
            if (j > 0)
                text += QLatin1Char(',');
            text += withLeadingBlank(image.value(block * kBlockSize + j));
        }
        text += QStringLiteral("     ");
    }
    return text;
}

namespace {

constexpr int kQuoteLimit = 24;

// Offending text as an error message quotes it: cut short, with control characters shown
// as blanks so that a message stays on one line.
QString quoted(QStringView text) {
    QString shown = text.left(kQuoteLimit).toString();
    for (QChar &c : shown) {
        if (!c.isPrint())
            c = QLatin1Char(' ');
    }
    if (text.size() > kQuoteLimit)
        shown += QStringLiteral("...");
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

class Reader {
public:
    explicit Reader(const QString &text) : m_text(text) {}

    void skipBlanks() {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    [[nodiscard]] bool atEnd() const { return m_pos >= m_text.size(); }
    [[nodiscard]] QChar peek() const { return m_text.at(m_pos); }
    void advance() { ++m_pos; }

    // The run of characters up to the next blank or comma.
    QStringView word() {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !m_text.at(m_pos).isSpace() &&
               m_text.at(m_pos) != QLatin1Char(','))
            ++m_pos;
        return QStringView(m_text).mid(start, m_pos - start);
    }
    [[nodiscard]] QStringView rest() const { return QStringView(m_text).mid(m_pos); }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

std::optional<int> wholeByte(QStringView word) {
    if (word.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : word) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 255)
            return std::nullopt;
    }
    return value;
}

QString where(int record, int value) {
    return ProfileText::tr("record %1, value %2: ").arg(record).arg(value);
}

ProfileParse failure(QString error) {
    return {std::nullopt, std::move(error)};
}

} // namespace

ProfileParse parseProfileText(const QString &text) {
    Reader in(text);
    ModuleMemory memory{};
    for (int record = 1; record <= kBlockCount; ++record) {
        in.skipBlanks();
        if (in.atEnd()) {
            return failure(ProfileText::tr("record %1: missing, a profile holds %2 records, "
                                           "found %3")
                               .arg(record)
                               .arg(kBlockCount)
                               .arg(record - 1));
        }
        const QStringView keyword = in.word();
        if (keyword != QLatin1String("DATA")) {
            return failure(ProfileText::tr("record %1: expected \"DATA\", found %2")
                               .arg(record)
                               .arg(quoted(keyword.isEmpty() ? in.rest() : keyword)));
        }
        for (int value = 1; value <= kBlockSize; ++value) {
            in.skipBlanks();
            if (value > 1) {
                if (in.atEnd() || in.peek() != QLatin1Char(',')) {
                    const QStringView found = in.word();
                    if (found.isEmpty() || found == QLatin1String("DATA")) {
                        return failure(
                            where(record, value) +
                            ProfileText::tr("missing, a record holds %1 values").arg(kBlockSize));
                    }
                    return failure(where(record, value) +
                                   ProfileText::tr("expected \",\" before %1").arg(quoted(found)));
                }
                in.advance();
                in.skipBlanks();
            }
            const QStringView word = in.word();
            if (word.isEmpty()) {
                return failure(
                    where(record, value) +
                    ProfileText::tr("missing, a record holds %1 values").arg(kBlockSize));
            }
            const std::optional<int> byte = wholeByte(word);
            if (!byte) {
                return failure(
                    where(record, value) +
                    QStringLiteral("%1 is not a whole number 0 to 255").arg(quoted(word)));
            }
            memory[static_cast<std::size_t>((record - 1) * kBlockSize + value - 1)] =
                static_cast<quint8>(*byte);
        }
        in.skipBlanks();
        if (!in.atEnd() && in.peek() == QLatin1Char(',')) {
            in.advance();
            in.skipBlanks();
            const QStringView extra = in.word();
            return failure(where(record, kBlockSize + 1) +
                           ProfileText::tr("unexpected %1, a record holds %2 values")
                               .arg(quoted(extra.isEmpty() ? in.rest() : extra))
                               .arg(kBlockSize));
        }
    }
    in.skipBlanks();
    if (!in.atEnd()) {
        const QStringView extra = in.word();
        return failure(ProfileText::tr("record %1: unexpected %2 after the last of %3 records")
                           .arg(kBlockCount + 1)
                           .arg(quoted(extra.isEmpty() ? in.rest() : extra))
                           .arg(kBlockCount));
    }
    return {memory, QString()};
}

ProfileParse readProfile(QIODevice &file, const QString &name) {
    // A profile is under 2 KB; anything near this size is some other file.
    constexpr qint64 kLimit = 1 << 20;
    const QByteArray bytes = file.read(kLimit + 1);
    ProfileParse parsed;
    if (bytes.size() > kLimit) {
        parsed.error = QStringLiteral("%1 is far too large to be a profile").arg(name);
        return parsed;
    }
    parsed = parseProfileText(QString::fromUtf8(bytes));
    if (!parsed.memory)
        parsed.error = QStringLiteral("%1 is not a profile: %2").arg(name, parsed.error);
    return parsed;
}

} // namespace tessel
