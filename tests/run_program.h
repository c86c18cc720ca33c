// Runs a built program with arguments in a folder and collects what it wrote.
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
    int exitCode;
    std::string out;
    std::string err;
};

// A fileSizeLimit above 0 limits the size of any file the program writes, in
// bytes, so that its writes fail past it (as on a full disk).
ProgramRun runProgram(const std::string& path, const std::vector<std::string>& args, const std::string& folder = ".",
                      long fileSizeLimit = 0);

// A fresh empty folder below the system's temporary folder.
std::string makeTempFolder();

std::string readFile(const std::string& path);
