// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "cli/commands/CommandTable.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tessel {

// A paragraph of the command table's texts, as every renderer (help, man page) reads them.
struct Paragraph {
    enum class Kind {
        Text,    // sentences, wrapped to the width
        Literal, // commands to type, one a line, never wrapped
    };
    Kind kind = Kind::Text;
    QStringList lines; // Text: one; Literal: the commands without "$ "
};
QList<Paragraph> paragraphsOf(const QString &text);
// A command's examples as one table text: each description a paragraph, its commands below.
QString examplesText(const QStringList &examples);

// The words of `text` in lines no longer than `width` (a longer word keeps its own line), each
// line after the first starting with `indent` blanks.
QStringList wrapped(const QString &text, int width, int indent = 0);

// The first sentence of a text, with its full stop.
QString firstSentence(const char *text);

// The columns of the terminal on standard output; 80 when it is not a terminal.
int helpWidth();

// "tessel-config write FILE (--port NAME | --simulate KIND) [OPTIONS]".
QString synopsis(const commands::Command &command);

// --help: the synopses, what the program does, the commands and options in a line each, and
// where the long texts are; wrapped to `width`.
QString overviewHelp(int width);
// `help COMMAND` and `COMMAND --help`: its synopsis, its long text, all its options, the notes
// it concerns and examples.
QString commandHelp(const commands::Command &command, int width);

} // namespace tessel
