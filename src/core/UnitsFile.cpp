// SPDX-License-Identifier: Apache-2.0
#include "core/UnitsFile.h"

#include "core/SettingsCheck.h"
#include "core/UnitSettings.h"

#include <QSet>
#include <optional>

namespace tessel {

namespace {

struct Row {
    int number = 0; // in the file, the header being 1
    QStringList fields;
};

// The rows of a CSV text; blank lines are skipped. An error text when a quote is not closed.
QString splitRows(const QString &text, QChar separator, std::vector<Row> &rows) {
    Row row;
    QString field;
    bool quoted = false;
    bool blank = true;
    int line = 1;
    const auto endRow = [&] {
        row.fields << field;
        if (!blank)
            rows.push_back(row);
        row = Row{};
        field.clear();
        blank = true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (row.fields.isEmpty() && field.isEmpty() && blank)
            row.number = line;
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                field += text.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
            line += c == QLatin1Char('\n') ? 1 : 0;
            continue;
        }
        if (c == QLatin1Char('\n')) {
            endRow();
            ++line;
        } else if (c == QLatin1Char('\r')) {
            continue;
        } else if (c == separator) {
            row.fields << field;
            field.clear();
            blank = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            blank = false;
        } else {
            field += c;
            blank = blank && c.isSpace();
        }
    }
    if (quoted)
        return QStringLiteral("row %1: a quote is not closed").arg(row.number);
    endRow();
    return {};
}

struct Header {
    int unitColumn = -1;
    std::vector<std::optional<UnitColumn>> settings; // by column; none for `unit`
};

QString readHeader(const Row &row, ModuleKind kind, Header &header) {
    QSet<QString> seen;
    for (int c = 0; c < row.fields.size(); ++c) {
        const QString name = row.fields.at(c).trimmed();
        const QString where =
            QStringLiteral("row %1, column %2 (%3)").arg(row.number).arg(c + 1).arg(name);
        const std::optional<UnitColumn> setting = unitColumn(kind, name);
        const QString key = setting ? setting->name : name.toLower();
        if (seen.contains(key))
            return where + QStringLiteral(": the column is given twice");
        seen.insert(key);
        if (key == QLatin1String("unit")) {
            header.unitColumn = c;
        } else if (!setting) {
            return where + QStringLiteral(": no setting of a %1 has this name (see "
                                          "\"tessel-config --help\" for the names)")
                               .arg(moduleKindName(kind));
        }
        header.settings.push_back(setting);
    }
    if (header.unitColumn < 0)
        return QStringLiteral("row %1: no column is named \"unit\" (the kit's label)")
            .arg(row.number);
    return {};
}

QString readUnit(const Row &row, const Header &header, ModuleKind kind, Unit &unit) {
    const auto where = [&](int c) {
        const QString name = header.settings[c] ? header.settings[c]->name : QStringLiteral("unit");
        return QStringLiteral("row %1, column %2 (%3)").arg(row.number).arg(c + 1).arg(name);
    };
    if (row.fields.size() != static_cast<qsizetype>(header.settings.size())) {
        return QStringLiteral("row %1: %2 values, but the header names %3 columns")
            .arg(row.number)
            .arg(row.fields.size())
            .arg(header.settings.size());
    }
    unit.label = row.fields.at(header.unitColumn).trimmed();
    if (unit.label.isEmpty())
        return where(header.unitColumn) + QStringLiteral(": the unit has no label");
    for (int c = 0; c < row.fields.size(); ++c) {
        if (!header.settings[c])
            continue;
        const QString value = row.fields.at(c).trimmed();
        if (const QString error = setUnitValue(*header.settings[c], value, unit.image);
            !error.isEmpty())
            return where(c) + QStringLiteral(": ") + error;
        unit.settings << header.settings[c]->name + QLatin1Char('=') + value;
    }
    if (const QStringList invalid = invalidSettings(kind, unit.image); !invalid.isEmpty()) {
        return QStringLiteral("row %1 (unit %2): the window would not store this unit's "
                              "settings: correct %3 first")
            .arg(row.number)
            .arg(unit.label, invalid.join(QStringLiteral(", ")));
    }
    return {};
}

} // namespace

UnitsParse readUnits(const QByteArray &bytes, const QString &file, ModuleKind kind,
                     const EepromImage &profile) {
    UnitsParse parsed;
    const auto refuse = [&](const QString &why) {
        parsed.units.clear();
        parsed.error = file + QStringLiteral(", ") + why;
        return parsed;
    };
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QString firstLine = text.section(QLatin1Char('\n'), 0, 0);
    const QChar separator =
        !firstLine.contains(QLatin1Char(',')) && firstLine.contains(QLatin1Char(';'))
            ? QLatin1Char(';')
            : QLatin1Char(',');
    std::vector<Row> rows;
    if (const QString error = splitRows(text, separator, rows); !error.isEmpty())
        return refuse(error);
    if (rows.empty())
        return refuse(QStringLiteral("row 1: the file is empty; it needs a header row naming "
                                     "\"unit\" and the settings"));
    Header header;
    if (const QString error = readHeader(rows.front(), kind, header); !error.isEmpty())
        return refuse(error);
    QSet<QString> labels;
    for (size_t i = 1; i < rows.size(); ++i) {
        Unit unit{{}, {}, profile};
        if (const QString error = readUnit(rows[i], header, kind, unit); !error.isEmpty())
            return refuse(error);
        if (labels.contains(unit.label)) {
            return refuse(QStringLiteral("row %1, column %2 (unit): the unit %3 is given twice")
                              .arg(rows[i].number)
                              .arg(header.unitColumn + 1)
                              .arg(unit.label));
        }
        labels.insert(unit.label);
        parsed.units.push_back(unit);
    }
    if (parsed.units.empty())
        return refuse(QStringLiteral("row 2: the file names no unit"));
    return parsed;
}

} // namespace tessel
