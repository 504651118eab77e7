#pragma once
// Runs tolmena-cli with arguments and captures its output and exit status.
#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// env is put before the command, e.g. "XDG_CONFIG_HOME=/tmp/x"; standard input is read from the
// file `input` when one is named. The program runs in the C locale, so that messages and system
// reasons read as the tests expect them, unless env sets LC_ALL itself.
inline CliResult RunCli(const std::vector<std::string>& args, const std::string& env = "",
                        const std::string& input = "") {
    TempDir dir;
    std::string command = "LC_ALL=C " + env + " " + ShellQuote(CLI_PATH);
    for (const std::string& arg : args)
        command += " " + ShellQuote(arg);
    if (!input.empty()) command += " <" + ShellQuote(input);
    command += " >" + dir.File("out") + " 2>" + dir.File("err");
    int raw = std::system(command.c_str());
    CliResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = TempDir::Read(dir.File("out"));
    result.err = TempDir::Read(dir.File("err"));
    return result;
}
