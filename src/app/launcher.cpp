// SPDX-License-Identifier: Apache-2.0
// `tessel-config` as the shell finds it: it answers --version itself and hands every other run
// to the command program installed beside the window program. Loading Qt takes a process more
// than 8 ms before main() runs; a script or an installer that only asks which version is there
// should not pay that.
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

constexpr int kBadInput = 2;     // as the command program's exit statuses
constexpr int kPipeClosed = 141; // 128 + SIGPIPE, as the command program ends then

bool asksForVersion(int argc, char *argv[]) {
    if (argc != 2)
        return false;
    for (const char *option : {"--version", "-version", "-v"}) {
        if (std::strcmp(argv[1], option) == 0)
            return true;
    }
    return false;
}

// Prints the version and checks that it reached standard output, to the close.
int printVersion() {
    std::signal(SIGPIPE, SIG_IGN);
    std::printf("tessel-config %s\n", TESSEL_VERSION);
    int error = std::fflush(stdout) == 0 ? 0 : errno;
    if (error == 0 && std::ferror(stdout))
        error = EIO;
    if (std::fclose(stdout) != 0 && error == 0)
        error = errno;
    if (error == 0)
        return 0;
    if (error == EPIPE)
        return kPipeClosed;
    std::fprintf(stderr, "tessel-config: cannot write standard output: %s\n", std::strerror(error));
    return kBadInput;
}

// This executable's folder, from the kernel rather than argv[0]: a command found through PATH
// or started through a symlink still finds the command program. Empty when the kernel does not
// say (no /proc).
std::string ownFolder() {
    std::array<char, PATH_MAX> path{};
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return {};
    const std::string exe(path.data(), static_cast<std::size_t>(length));
    return exe.substr(0, exe.find_last_of('/'));
}

// Replaces this process with the command program, so that its exit status and signals are the
// command's own: beside this one in a build tree, else where the installation puts it relative
// to this one, else where it was to be installed. Never a program in the working folder.
int runCommandProgram(char *argv[]) {
    const std::string folder = ownFolder();
    std::string program = TESSEL_COMMANDS_INSTALLED;
    for (const char *place : {"/" TESSEL_COMMANDS_NAME, "/" TESSEL_COMMANDS_FROM_BIN}) {
        if (!folder.empty() && ::access((folder + place).c_str(), X_OK) == 0) {
            program = folder + place;
            break;
        }
    }
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "tessel-config: cannot start %s: %s\n", program.c_str(),
                 std::strerror(errno));
    return kBadInput;
}

} // namespace

int main(int argc, char *argv[]) {
    return asksForVersion(argc, argv) ? printVersion() : runCommandProgram(argv);
}
