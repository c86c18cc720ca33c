// Runs a built program with arguments in a folder and collects what it wrote.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    int exitCode;
    std::string out;
    std::string err;
};

ProgramRun runProgram(const std::string& path, const std::vector<std::string>& args, const std::string& folder = ".");

// A fresh empty folder below the system's temporary folder.
std::string makeTempFolder();

std::string readFile(const std::string& path);
