// The events the hook library stand-in recorded in a folder, one line each, for the tests that load it.
#pragma once

#include <fstream>
#include <string>
#include <vector>

inline std::vector<std::string> HOOKSTANDIN_Events(const std::string& folder) {
    std::vector<std::string> lines;
    std::ifstream log(folder + "hookstandin.log");
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}
