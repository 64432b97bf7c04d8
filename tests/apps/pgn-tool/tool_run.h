#pragma once
// Runs quorvane-pgn (QUORVANE_PGN_TOOL) as a subprocess and collects its status and output.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct ToolRun {
    int status;  // the exit status; -1 when the tool did not exit normally
    std::string out;
    std::string err;
};

inline std::string ShellQuoted(const std::string& word) {
    std::string quoted = "'";
    for (const char ch : word)
        quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

inline ToolRun RunTool(const std::vector<std::string>& args) {
    static int runs = 0;
    const std::filesystem::path err =
        std::filesystem::temp_directory_path() /
        ("quorvane-pgn-stderr-" + std::to_string(::getpid()) + "-" + std::to_string(++runs));
    std::string command = ShellQuoted(QUORVANE_PGN_TOOL);
    for (const std::string& arg : args)
        command += " " + ShellQuoted(arg);
    command += " 2>" + ShellQuoted(err.string());
    ToolRun run{};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return ToolRun{-1, "", "popen failed"};
    char buffer[65536];
    size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, count);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(err, std::ios::binary);
    run.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    in.close();
    std::filesystem::remove(err);
    return run;
}
