#pragma once
// The tool's commands: one row of the table and one file each. A command gets the words after
// its name and returns the process's exit status.

#include <string>
#include <vector>

// Exit statuses shared by all commands.
constexpr int kExitOk = 0;
constexpr int kExitGameStopsEarly = 1;  // check: some game stops before the end of its moves
constexpr int kExitCannotRun = 2;       // unreadable file, unknown game, wrong arguments

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;  // the arguments after the name
    const char* help;   // what it prints, one or more lines
    int (*run)(const Arguments& args);
};

int RunList(const Arguments& args);
int RunShow(const Arguments& args);
int RunCheck(const Arguments& args);
int RunPlay(const Arguments& args);

// Every command, in the order --help lists them; ends with a row whose name is null.
extern const Command kCommands[];

// Reports a problem on stderr as one line and returns kExitCannotRun.
int Fail(const std::string& message);
