// SPDX-License-Identifier: Apache-2.0
#include "Completions.h"

#include "cli/commands/CommandTable.h"
#include "cli/commands/HelpText.h"
#include "core/ModuleKind.h"

namespace tessel::docs {

using namespace commands;

namespace {
const QString kWindowName = QString::fromLatin1(kWindow);

// The ports as list-ports names them: the first column of its table, below the heading.
const QString kPortsCommand =
    QStringLiteral("tessel-config list-ports 2>/dev/null | awk 'NR > 1 { print $1 }'");

QString kinds() {
    return moduleKindKey(ModuleKind::Tessel) + QLatin1Char(' ') +
           moduleKindKey(ModuleKind::Threshold);
}

QStringList commandNames() {
    QStringList names;
    for (const Command &command : all())
        names << QLatin1String(command.name);
    return names;
}

// Every way an option is written: "-o --output".
QStringList spellings(const Option &option) {
    QStringList names = {QStringLiteral("--") + QLatin1String(option.longName)};
    if (option.shortName != 0)
        names.prepend(QStringLiteral("-") + QLatin1Char(option.shortName));
    return names;
}

// A shell word in single quotes.
QString quoted(QString text, const QString &quoteInside) {
    text.replace(QLatin1Char('\''), quoteInside);
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString zshQuoted(QString text) {
    text.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// The _arguments specifications of the options `command` takes, one a line at `indent`:
// '(-o --output)'{-o,--output}'[what it does]:file:_files'.
QString zshSpecs(const QString &command, int indent) {
    QString out;
    for (const Option *option : optionsOf(command)) {
        QString action;
        switch (option->completes) {
        case Completion::Port:
            action = QStringLiteral(":port:_tessel_config_ports");
            break;
        case Completion::Kind:
            action = QStringLiteral(":kind:(%1)").arg(kinds());
            break;
        case Completion::File:
        case Completion::Profile:
            action = QStringLiteral(":file:_files");
            break;
        default:
            if (option->value)
                action = QStringLiteral(":%1: ").arg(QString::fromLatin1(option->value).toLower());
        }
        QString description = firstSentence(option->help);
        description.replace(QLatin1Char('['), QStringLiteral("\\["))
            .replace(QLatin1Char(']'), QStringLiteral("\\]"));
        const QStringList names = spellings(*option);
        const QString rest = QLatin1Char('[') + description + QLatin1Char(']') + action;
        QString spec;
        if (names.size() > 1) {
            spec = zshQuoted(QStringLiteral("(%1)").arg(names.join(QLatin1Char(' ')))) +
                   QStringLiteral("{%1}").arg(names.join(QLatin1Char(','))) + zshQuoted(rest);
        } else {
            const bool repeats = option->repeatsWithProgram && command == QLatin1String("program");
            const QString repeat = repeats ? QStringLiteral("*") : QString();
            spec = zshQuoted(repeat + names.first() + rest);
        }
        out += QString(indent, QLatin1Char(' ')) + spec + QStringLiteral(" \\\n");
    }
    return out;
}

QString bashOptionsOf(const QString &command) {
    QStringList words;
    for (const Option *option : optionsOf(command))
        words << spellings(*option);
    return words.join(QLatin1Char(' '));
}
} // namespace

QString bashCompletion() {
    QStringList valued;
    QString values;
    for (const Option &option : options()) {
        if (!option.value)
            continue;
        valued << spellings(option);
        const QString pattern = spellings(option).join(QLatin1Char('|'));
        switch (option.completes) {
        case Completion::Port:
            values += QStringLiteral("    %1) COMPREPLY=($(compgen -W \"$(%2)\" -- \"$cur\")); "
                                     "return ;;\n")
                          .arg(pattern, kPortsCommand);
            break;
        case Completion::Kind:
            values +=
                QStringLiteral("    %1) COMPREPLY=($(compgen -W '%2' -- \"$cur\")); return ;;\n")
                    .arg(pattern, kinds());
            break;
        case Completion::File:
        case Completion::Profile:
            values += QStringLiteral("    %1) _filedir; return ;;\n").arg(pattern);
            break;
        default:
            values += QStringLiteral("    %1) return ;;\n").arg(pattern);
            break;
        }
    }
    QString perCommand =
        QStringLiteral("    \"\") options='%1' ;;\n").arg(bashOptionsOf(kWindowName));
    QString operands;
    for (const Command &command : all()) {
        perCommand +=
            QStringLiteral("    %1) options='%2' ;;\n")
                .arg(QLatin1String(command.name), bashOptionsOf(QLatin1String(command.name)));
        if (command.operand == Completion::Profile)
            operands += QStringLiteral("    %1) _filedir ;;\n").arg(QLatin1String(command.name));
        else if (command.operand == Completion::Command)
            operands +=
                QStringLiteral("    %1) COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\")) ;;\n")
                    .arg(QLatin1String(command.name));
    }
    return QStringLiteral("# bash completion for tessel-config, written from its command table\n"
                          "_tessel_config() {\n"
                          "    local cur prev words cword\n"
                          "    _init_completion || return\n"
                          "    local commands='%1'\n"
                          "    local command='' operand=0 i\n"
                          "    for ((i = 1; i < cword; i++)); do\n"
                          "        case ${words[i]} in\n"
                          "        %2) ((i++)) ;;\n"
                          "        -*) ;;\n"
                          "        *) if [[ -z $command ]]; then command=${words[i]}; else "
                          "((operand++)); fi ;;\n"
                          "        esac\n"
                          "    done\n"
                          "    case $prev in\n%3"
                          "    esac\n"
                          "    local options\n"
                          "    case $command in\n%4"
                          "    esac\n"
                          "    if [[ $cur == -* ]]; then\n"
                          "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
                          "        return\n"
                          "    fi\n"
                          "    if [[ -z $command ]]; then\n"
                          "        # A command, or a profile for the window to open.\n"
                          "        COMPREPLY=($(compgen -W \"$commands\" -- \"$cur\"))\n"
                          "        _filedir\n"
                          "        return\n"
                          "    fi\n"
                          "    ((operand == 0)) || return\n"
                          "    case $command in\n%5"
                          "    esac\n"
                          "}\n"
                          "complete -F _tessel_config tessel-config\n")
        .arg(commandNames().join(QLatin1Char(' ')), valued.join(QLatin1Char('|')), values,
             perCommand, operands);
}

QString zshCompletion() {
    QString commandList;
    QString perCommand;
    for (const Command &command : all()) {
        const QString name = QLatin1String(command.name);
        commandList +=
            QStringLiteral("    %1\n")
                .arg(zshQuoted(name + QLatin1Char(':') + QLatin1String(command.summary)));
        QString operand;
        if (command.operand == Completion::Profile)
            operand = QStringLiteral("        '1:profile:_files' \\\n");
        else if (command.operand == Completion::Command)
            operand = QStringLiteral("        '1:command:(%1)' \\\n")
                          .arg(commandNames().join(QLatin1Char(' ')));
        perCommand += QStringLiteral("    %1)\n        _arguments \\\n%2%3        && return ;;\n")
                          .arg(name, zshSpecs(name, 8), operand);
    }
    return QStringLiteral("#compdef tessel-config\n"
                          "# zsh completion for tessel-config, written from its command table\n"
                          "_tessel_config_ports() {\n"
                          "    local -a ports\n"
                          "    ports=(${(f)\"$(%1)\"})\n"
                          "    compadd -a ports\n"
                          "}\n"
                          "local curcontext=$curcontext state line\n"
                          "local -a commands\n"
                          "commands=(\n%2)\n"
                          "_arguments -C \\\n%3"
                          "    '1: :->first' \\\n"
                          "    '*:: :->rest' && return\n"
                          "case $state in\n"
                          "first)\n"
                          "    _describe -t commands command commands\n"
                          "    _files ;;\n"
                          "rest)\n"
                          "    case $words[1] in\n%4"
                          "    esac ;;\n"
                          "esac\n")
        .arg(kPortsCommand, commandList, zshSpecs(kWindowName, 4), perCommand);
}

QString fishCompletion() {
    const QString names = commandNames().join(QLatin1Char(' '));
    QString out =
        QStringLiteral("# fish completion for tessel-config, written from its command table\n"
                       "function __tessel_config_ports\n    %1\nend\n"
                       "complete -c tessel-config -f\n")
            .arg(kPortsCommand);
    const QString noCommand = QStringLiteral("not __fish_seen_subcommand_from %1").arg(names);
    out += QStringLiteral("complete -c tessel-config -n '%1' -F\n").arg(noCommand);
    for (const Command &command : all()) {
        const QString name = QLatin1String(command.name);
        out += QStringLiteral("complete -c tessel-config -n '%1' -a %2 -d %3\n")
                   .arg(noCommand, name,
                        quoted(QLatin1String(command.summary), QStringLiteral("\\'")));
        const QString seen = QStringLiteral("__fish_seen_subcommand_from %1").arg(name);
        if (command.operand == Completion::Profile)
            out += QStringLiteral("complete -c tessel-config -n '%1' -F\n").arg(seen);
        else if (command.operand == Completion::Command)
            out += QStringLiteral("complete -c tessel-config -n '%1' -a '%2'\n").arg(seen, names);
    }
    for (const Option &option : options()) {
        QString line =
            QStringLiteral("complete -c tessel-config -l %1").arg(QLatin1String(option.longName));
        if (option.shortName != 0)
            line += QStringLiteral(" -s %1").arg(QLatin1Char(option.shortName));
        if (!option.commands.isEmpty()) {
            QStringList named = option.commands;
            const bool window = named.removeAll(kWindowName) > 0;
            QStringList conditions;
            if (!named.isEmpty())
                conditions << QStringLiteral("__fish_seen_subcommand_from %1")
                                  .arg(named.join(QLatin1Char(' ')));
            if (window)
                conditions << noCommand;
            line += QStringLiteral(" -n '%1'").arg(conditions.join(QStringLiteral("; or ")));
        }
        if (option.value)
            line += QStringLiteral(" -r");
        switch (option.completes) {
        case Completion::Port:
            line += QStringLiteral(" -a '(__tessel_config_ports)'");
            break;
        case Completion::Kind:
            line += QStringLiteral(" -a '%1'").arg(kinds());
            break;
        case Completion::File:
        case Completion::Profile:
            line += QStringLiteral(" -F");
            break;
        default:
            break;
        }
        out += line + QStringLiteral(" -d ") +
               quoted(firstSentence(option.help), QStringLiteral("\\'")) + QLatin1Char('\n');
    }
    return out;
}

} // namespace tessel::docs
