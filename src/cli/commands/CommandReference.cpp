// SPDX-License-Identifier: Apache-2.0
#include "cli/commands/CommandTable.h"

#include <array>

// The reference sections of the help and the manual page: topics, exit statuses, the
// environment and the files the program reads or writes.
namespace tessel::commands {

namespace {
const std::array kTopics = {
    Topic{"Ports",
          "A port NAME is COMn (on Linux /dev/ttyS(n-1)), a device as listed (ttyUSB0 is "
          "/dev/ttyUSB0), a full path, or tcp://HOST:PORT for a module behind a serial device "
          "server on the network. The line runs at 115200 baud, 8N1. A connection refused, a "
          "host without a route to it or silent for 5 s, and a connection reset or closed "
          "later are each named and handled like a lost serial line (exit status 1); a host "
          "name that is not known is a port that cannot be opened (2).\n\n"
          "Every wait for the module is bounded: a block read is tried at most 3 times (5 s "
          "each), a store waits at most 15 s for each block's confirmation. While the link test "
          "or a transfer runs, a progress line is shown on standard error when it is a "
          "terminal (plain lines when TERM is dumb)."},
    Topic{"Profiles",
          "A production profile is 16 records \"DATA\" of 16 whole numbers 0 to 255. It may be "
          "split over several lines, with blank space between records and values. Anything "
          "else is refused, naming the record and the value, and nothing is sent to the "
          "module. A FILE given as - is standard input for write, diff and program, and "
          "standard output for read -o."},
    Topic{"Backups",
          "Before write, factory-reset and program store anything, they read the module's "
          "memory and save it as a production profile in the backups folder of the user's data "
          "folder (~/.local/share/tessel-config/backups/ unless XDG_DATA_HOME says otherwise), "
          "named by kind, time to the millisecond, port and a number, never by the module's "
          "serials (modules programmed alike share them). A backup younger than 90 days "
          "(keepDays in the [backups] group of ~/.config/tessel-config/tessel-config.conf) is "
          "never deleted; older ones are kept, newest first, up to 200 backups and 64 MB, and "
          "each one removed is named on standard error. A backup counts once it is on disk "
          "and reads back as written; "
          "when it cannot be saved, nothing is stored. Any backup can be stored again with "
          "write. Stores on --simulate keep their backups apart, in backups/simulated/."},
    Topic{"When a store fails",
          "The first line says \"Error Storing Data\"; the lines below it say which blocks hold "
          "the new settings, which the old and which may hold either, where the backup is, "
          "and the command that restores it. Ctrl-C, SIGTERM or SIGHUP during a store lets the "
          "block in flight be confirmed, then stops and says the same; during any other wait "
          "it stops at once. A reader of the output that goes away (| head) never ends a "
          "store: the output stops, the store and its check finish, and the status is 141."},
    Topic{"Units files",
          "A units file gives each kit its own settings: comma-separated values (semicolons "
          "too), a header row naming the column unit (the kit's label, each once) and any of "
          "these settings, case and blanks aside: base serial (8 hexadecimal digits; a "
          "Threshold module's 8, a colon and 4 more), device count (1 to 24), debounce and "
          "refresh (0 to 255; capture speed and reaction interval on a Threshold module), "
          "device N serial (N 1 to 24; 8 hexadecimal digits, a Threshold module's 4), device N "
          "controller type (0 to 35), device N active (0 or 1), and on a Threshold module "
          "input N limit type (N 0 to 15; 0 to 3), lower limit of input N and upper limit of "
          "input N (0 to 255). Every row goes over the profile and is checked by the rules "
          "the configuration window stores by; the first fault is refused with the file, row "
          "and column before any port is opened.\n\n"
          "Units are given out from the record database in transactions, so two stations "
          "never get the same one. A unit is done once its module is verified. One whose "
          "module failed goes back among those left, unless the module may hold part of it: "
          "it then stays partly stored, naming the module's port, station and time, as it does "
          "when the program is ended during the store, until records units --put-back gives "
          "it out again."},
    Topic{
        "Serial ports on Linux",
        "The device of a serial port belongs to a group, usually dialout, and only members "
        "of that group may open it. Add your user to it once, then log out and in again:\n"
        "$ sudo usermod -aG dialout $USER\n\n"
        "When permission is what stops the program, it says so and names the group; a port "
        "held by another program, a name with no device behind it and a file that is not a "
        "serial port are reported as what they are. A USB adapter keeps its place across "
        "re-plugging under /dev/serial/by-id/; that path can be given as the port.\n\n"
        "ModemManager, the service that sets up mobile broadband modems, may probe a USB "
        "serial adapter in the first seconds after it is plugged in: it sends modem commands "
        "to the module and holds the port meanwhile. Tell it to leave the adapter alone with "
        "a udev rule in /etc/udev/rules.d/70-tessel-config.rules, with your adapter's vendor "
        "and product ids (list-ports shows them as vendor:product), then reload the rules "
        "and plug the adapter in again:\n"
        "$ ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n"
        "$ sudo udevadm control --reload-rules"},
};

const std::array kExitStatuses = {
    ExitStatus{"0", "Success; for diff, the module holds exactly the profile."},
    ExitStatus{"1", "No module answered, the module is of an unknown kind (nothing is read or "
                    "stored), the line failed or vanished (a tcp:// connection too), or the "
                    "memory could not be read back "
                    "after a store (the store itself completed); for diff, only that the module "
                    "differs from the profile; for program, that every port failed."},
    ExitStatus{"2", "Bad usage, a bad profile, a port or file that cannot be opened or written "
                    "(standard output included), "
                    "no display for the window, or a backup that cannot be saved (nothing is "
                    "stored); for diff, also every failure that is 1 elsewhere."},
    ExitStatus{"3", "A block store was not confirmed (\"Error Storing Data\"), or the memory "
                    "read back differs from what was stored; for program, a module that was "
                    "started did not end ok."},
    ExitStatus{"4", "Otherwise done, but on the way the line turned a command into the start of "
                    "a block store and the module confirmed it, as standard error says: read the "
                    "module again before trusting it. diff ends with 2 instead; program keeps its "
                    "status and records such a module as ok+garbled-store."},
    ExitStatus{"129 130 143",
               "Ended by SIGHUP, Ctrl-C (SIGINT) or SIGTERM. program instead finishes the "
               "modules in progress on the first Ctrl-C and ends with 0 or 3."},
    ExitStatus{"141", "Standard output or error was a pipe whose reader went away; what was "
                      "under way was finished first."},
};

const std::array kEnvironment = {
    Entry{"XDG_DATA_HOME", "Where the backups folder is (default ~/.local/share)."},
    Entry{"XDG_CONFIG_HOME", "Where the remembered port is kept when the working directory "
                             "cannot be written (default ~/.config)."},
    Entry{"TERM", "When it is dumb, progress and production status are plain lines, with no "
                  "cursor movement."},
    Entry{"NO_COLOR", "Honoured: the program writes no colour."},
    Entry{"QT_LOGGING_RULES", "tessel.wire=true traces every exchange with the module on "
                              "standard error, tessel.session=true what the session does, as "
                              "--trace does."},
    Entry{"DISPLAY, WAYLAND_DISPLAY", "The display the window opens on; the commands need none."},
    Entry{"LANG, LC_ALL, LC_MESSAGES", "The language of the window and its messages. The "
                                       "command line's profiles, JSON and CSV never change."},
};

const std::array kFiles = {
    Entry{"tessel.cfg", "The port the window used last, in the working directory, or in "
                        "~/.config/tessel-config/ where that cannot be written."},
    Entry{"production.sqlite", "The production record and its pool of units, in the working "
                               "directory, unless --record names another."},
    Entry{"~/.local/share/tessel-config/backups/",
          "The module's memory saved before each store, as production profiles."},
    Entry{"~/.config/tessel-config/tessel-config.conf",
          "keepDays in its [backups] group: the days a backup is never deleted (default 90)."},
};
} // namespace

std::span<const Topic> topics() {
    return kTopics;
}
std::span<const ExitStatus> exitStatuses() {
    return kExitStatuses;
}
std::span<const Entry> environment() {
    return kEnvironment;
}
std::span<const Entry> files() {
    return kFiles;
}
QStringList seeAlso() {
    return {QStringLiteral("tessel-modsim(1)"), QStringLiteral("diff(1)")};
}

} // namespace tessel::commands
