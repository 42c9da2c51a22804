// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/HelpText.h"

#include <algorithm>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tessel {

using namespace commands;

namespace {
// Narrower than this, a term's text goes below it instead of beside it.
constexpr int kTermBesideWidth = 60;
constexpr int kNarrowest = 20;
constexpr int kHangingIndent = 4;

const QString kPrompt = QStringLiteral("$ ");

QString spaces(int count) {
    return QString(std::max(0, count), QLatin1Char(' '));
}

// "  TERM   text" with the text in a column of its own, or below the term when the term is
// wider than the column or the screen too narrow for two columns.
QStringList termLines(const QString &term, const QString &text, int width, int column) {
    const int margin = 2;
    if (width < kTermBesideWidth || term.size() + margin + 2 > column) {
        QStringList lines = {spaces(margin) + term};
        for (const QString &line : wrapped(text, width - margin - kHangingIndent))
            lines << spaces(margin + kHangingIndent) + line;
        return lines;
    }
    QStringList lines = wrapped(text, width - column);
    for (QString &line : lines)
        line.prepend(spaces(column));
    lines.first().replace(0, margin + term.size(), spaces(margin) + term);
    return lines;
}

// The paragraphs of a table text at the indent of `margin`.
QStringList bodyLines(const QString &text, int width, int margin) {
    QStringList out;
    for (const Paragraph &paragraph : paragraphsOf(text)) {
        if (!out.isEmpty())
            out << QString();
        switch (paragraph.kind) {
        case Paragraph::Kind::Text:
            for (const QString &line : wrapped(paragraph.lines.first(), width - margin))
                out << spaces(margin) + line;
            break;
        case Paragraph::Kind::Literal:
            for (const QString &line : paragraph.lines)
                out << spaces(margin + kHangingIndent) + line;
            break;
        }
    }
    return out;
}

QString joined(const QStringList &lines) {
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

QString examplesText(const QStringList &examples) {
    QString text;
    for (const QString &line : examples)
        text += (line.startsWith(kPrompt) ? QStringLiteral("\n") : QStringLiteral("\n\n")) + line;
    return text.trimmed();
}

QString firstSentence(const char *text) {
    const QString all = QString::fromUtf8(text);
    const qsizetype end = all.indexOf(QStringLiteral(". "));
    return end < 0 ? all : all.left(end + 1);
}

QList<Paragraph> paragraphsOf(const QString &text) {
    QList<Paragraph> list;
    for (const QString &block : text.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts)) {
        // Sentences may be followed by commands: each run of lines of one kind is a paragraph.
        bool fresh = true;
        for (const QString &line : block.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const bool literal = line.startsWith(kPrompt);
            const Paragraph::Kind kind = literal ? Paragraph::Kind::Literal : Paragraph::Kind::Text;
            const QString content = literal ? line.mid(kPrompt.size()) : line;
            if (fresh || list.last().kind != kind)
                list.append({kind, {content}});
            else if (literal)
                list.last().lines << content;
            else
                list.last().lines.first() += QLatin1Char(' ') + content;
            fresh = false;
        }
    }
    return list;
}

QStringList wrapped(const QString &text, int width, int indent) {
    width = std::max(width, kNarrowest);
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int room = width - (lines.isEmpty() ? 0 : indent);
        if (!line.isEmpty() && line.size() + 1 + word.size() > room) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    lines << line;
    for (qsizetype i = 1; i < lines.size(); ++i)
        lines[i].prepend(spaces(indent));
    return lines;
}

int helpWidth() {
    winsize size{};
    if (isatty(STDOUT_FILENO) == 1 && ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 &&
        size.ws_col > 0)
        return size.ws_col;
    return 80;
}

QString synopsis(const Command &command) {
    const QString name = QString::fromLatin1(command.name);
    QString line = QLatin1String(kProgram) + QLatin1Char(' ') + name;
    if (*command.arguments)
        line += QLatin1Char(' ') + QLatin1String(command.arguments);
    const Option *port = findOption(QStringLiteral("port"));
    const Option *simulate = findOption(QStringLiteral("simulate"));
    if (port && simulate && takes(*port, name) && takes(*simulate, name))
        line += QStringLiteral(" (--port NAME | --simulate KIND)");
    const QList<const Option *> taken = optionsOf(name);
    const bool more = std::any_of(taken.begin(), taken.end(), [&](const Option *option) {
        return !option->commands.isEmpty() && option != port && option != simulate;
    });
    return more ? line + QStringLiteral(" [OPTIONS]") : line;
}

QString overviewHelp(int width) {
    QStringList lines = {QStringLiteral("Usage: %1 %2")
                             .arg(QLatin1String(kProgram), QLatin1String(windowArguments()))};
    for (const Command &command : all())
        lines << QStringLiteral("       ") + synopsis(command);
    lines << QString() << wrapped(QLatin1String(description()), width) << QString()
          << wrapped(QLatin1String(windowText()), width) << QString()
          << QStringLiteral("Commands:");
    const int column = 22;
    for (const Command &command : all())
        lines << termLines(QLatin1String(command.name), QLatin1String(command.summary), width,
                           column);
    lines << QString() << QStringLiteral("Options:");
    for (const Option &option : options())
        lines << termLines(optionTerm(option), firstSentence(option.help), width, column);
    lines << QString()
          << wrapped(QStringLiteral("Run \"%1 help COMMAND\" (or \"%1 COMMAND --help\") for a "
                                    "command's options and long text, and \"man %1\" for all "
                                    "of it, with the exit statuses.")
                         .arg(QLatin1String(kProgram)),
                     width);
    return joined(lines);
}

QString commandHelp(const Command &command, int width) {
    const int column = 24;
    QStringList lines = wrapped(QStringLiteral("Usage: ") + synopsis(command), width, 7);
    lines << QString() << bodyLines(QLatin1String(command.text), width, 0);
    const QList<const Option *> taken = optionsOf(QLatin1String(command.name));
    if (!taken.isEmpty()) {
        lines << QString() << QStringLiteral("Options:");
        for (const Option *option : taken)
            lines << termLines(optionTerm(*option), QLatin1String(option->help), width, column);
    }
    for (const Topic &topic : topics()) {
        if (command.topics.contains(QLatin1String(topic.title))) {
            lines << QString() << QLatin1String(topic.title) + QLatin1Char(':')
                  << bodyLines(QLatin1String(topic.text), width, 2);
        }
    }
    if (!command.examples.isEmpty()) {
        lines << QString() << QStringLiteral("Examples:")
              << bodyLines(examplesText(command.examples), width, 2);
    }
    return joined(lines);
}

} // namespace tessel
