// SPDX-License-Identifier: Apache-2.0
#include "ManPage.h"

#include "cli/commands/CommandTable.h"
#include "cli/commands/HelpText.h"

#include <QRegularExpression>
#include <utility>

namespace tessel::docs {

using namespace commands;

namespace {
// roff escapes: backslashes, hyphens (so that options stay ASCII when copied), and a leading
// dot or quote that would make a line a request.
QString escaped(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    text.replace(QLatin1Char('-'), QStringLiteral("\\-"));
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1Char('\'')))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

// A synopsis or an option's term: placeholders (NAME, FILE...) in italics, the words to type in
// bold, brackets, bars and dots roman.
QString styled(const QString &words) {
    static const QRegularExpression word(QStringLiteral("^([[(]*)(.*?)((?:\\.\\.\\.)?[]),]*)$"));
    static const QRegularExpression placeholder(QStringLiteral("^[A-Z][A-Z_]*$"));
    QStringList out;
    for (const QString &token : words.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = word.match(token);
        const QString core = m.captured(2);
        QString text = escaped(core);
        if (core == QLatin1String("|") || core.isEmpty())
            text = core;
        else
            text = (placeholder.match(core).hasMatch() ? QStringLiteral("\\fI")
                                                       : QStringLiteral("\\fB")) +
                   text + QStringLiteral("\\fR");
        out << m.captured(1) + text + m.captured(3);
    }
    return out.join(QLatin1Char(' '));
}

// Text lines of a page, kept short so that the page reads well in an editor and diffs.
constexpr int kSourceWidth = 72;

QString filled(const QString &text) {
    QStringList lines;
    for (const QString &line : wrapped(text, kSourceWidth))
        lines << escaped(line);
    return lines.join(QLatin1Char('\n'));
}

QString section(const QString &title) {
    return QStringLiteral(".SH \"%1\"\n").arg(title);
}

// Table text as man markup: paragraphs, and commands to type as indented literal lines. A
// heading starts a paragraph by itself.
QString body(const QString &text, bool afterHeading = true) {
    QString out;
    for (const Paragraph &paragraph : paragraphsOf(text)) {
        const QString start = afterHeading ? QString() : QStringLiteral(".PP\n");
        afterHeading = false;
        if (paragraph.kind == Paragraph::Kind::Text) {
            out += start + filled(paragraph.lines.first()) + QLatin1Char('\n');
            continue;
        }
        out += start + QStringLiteral(".RS 4\n.nf\n");
        for (const QString &line : paragraph.lines)
            out += escaped(line) + QLatin1Char('\n');
        out += QStringLiteral(".fi\n.RE\n");
    }
    return out;
}

QString tagged(const QString &term, const QString &text) {
    return QStringLiteral(".TP\n%1\n%2\n").arg(term, filled(text));
}

QString synopsisSection() {
    QString out = section(QStringLiteral("SYNOPSIS"));
    out += styled(QLatin1String(kProgram) + QLatin1Char(' ') + QLatin1String(windowArguments()));
    for (const Command &command : all())
        out += QStringLiteral("\n.br\n") + styled(synopsis(command));
    return out + QLatin1Char('\n');
}

QString descriptionSection() {
    QString out = section(QStringLiteral("DESCRIPTION")) + body(QLatin1String(description())) +
                  body(QLatin1String(windowText()), false);
    for (const Command &command : all()) {
        out += QStringLiteral(".SS %1\n").arg(escaped(QLatin1String(command.name))) +
               body(QLatin1String(command.text));
    }
    for (const Topic &topic : topics())
        out += QStringLiteral(".SS \"%1\"\n").arg(topic.title) + body(QLatin1String(topic.text));
    return out;
}

QString optionsSection() {
    QString out = section(QStringLiteral("OPTIONS"));
    for (const Option &option : options()) {
        QString text = QLatin1String(option.help);
        const QString takenBy = commandList(option);
        if (!option.commands.isEmpty()) {
            text += QStringLiteral(" (%1%2)").arg(
                takenBy, option.commands.contains(QLatin1String(kWindow))
                             ? (takenBy.isEmpty() ? QStringLiteral("the window")
                                                  : QStringLiteral(", and the window"))
                             : QString());
        }
        out += tagged(styled(optionTerm(option)), text);
    }
    return out;
}

QString entriesSection(const QString &title, std::span<const Entry> entries) {
    QString out = section(title);
    for (const Entry &entry : entries)
        out += tagged(QStringLiteral("\\fB%1\\fR").arg(escaped(QLatin1String(entry.name))),
                      QLatin1String(entry.text));
    return out;
}
} // namespace

QString manPage(const QString &version, const QString &date) {
    const QString name = escaped(QLatin1String(kProgram));
    QString page = QStringLiteral(".TH %1 1 %2 \"%3 %4\" \"User Commands\"\n")
                       .arg(name.toUpper(), date, name, version);
    page += section(QStringLiteral("NAME")) +
            filled(QLatin1String(kProgram) + QStringLiteral(" - ") + QLatin1String(summary())) +
            QLatin1Char('\n');
    page += synopsisSection() + descriptionSection() + optionsSection();
    page += section(QStringLiteral("EXIT STATUS"));
    for (const ExitStatus &status : exitStatuses())
        page += tagged(QStringLiteral("\\fB%1\\fR").arg(QLatin1String(status.codes)),
                       QLatin1String(status.text));
    page += entriesSection(QStringLiteral("ENVIRONMENT"), environment());
    page += entriesSection(QStringLiteral("FILES"), files());
    page += section(QStringLiteral("EXAMPLES"));
    bool first = true;
    for (const Command &command : all()) {
        if (!command.examples.isEmpty())
            page += body(examplesText(command.examples), std::exchange(first, false));
    }
    page += section(QStringLiteral("SEE ALSO"));
    QStringList references;
    for (const QString &reference : seeAlso()) {
        const qsizetype paren = reference.indexOf(QLatin1Char('('));
        references << QStringLiteral(".BR %1 %2")
                          .arg(escaped(reference.left(paren)), reference.mid(paren));
    }
    return page + references.join(QStringLiteral(" ,\n")) + QLatin1Char('\n');
}

} // namespace tessel::docs
