// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <sys/types.h>

namespace tiklo::bench {

// A process's memory as the kernel counts it, in megabytes: resident pages, and its
// proportional share of them (pages shared with other processes counted in part).
struct ProcessMemory {
    double resident = 0;
    double proportional = 0;

    // Nothing when the process is gone.
    static std::optional<ProcessMemory> of(pid_t pid) {
        std::ifstream rollup("/proc/" + std::to_string(pid) + "/smaps_rollup");
        ProcessMemory memory;
        bool found = false;
        for (std::string line; std::getline(rollup, line);) {
            const auto field = [&](const char* name, double& into) {
                if (line.rfind(name, 0) == 0) {
                    into = std::stod(line.substr(std::string(name).size())) / 1024.0;
                    found = true;
                }
            };
            field("Rss:", memory.resident);
            field("Pss:", memory.proportional);
        }
        return found ? std::optional(memory) : std::nullopt;
    }

    // A process running `program` (its name as the kernel keeps it, at most 15 characters),
    // the latest started as a rule; nothing when none runs.
    static std::optional<ProcessMemory> ofProgram(std::string program) {
        program.resize(std::min<std::size_t>(program.size(), 15));
        pid_t newest = 0;
        for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
            const std::string name = entry.path().filename().string();
            if (name.find_first_not_of("0123456789") != std::string::npos) {
                continue;
            }
            std::ifstream comm(entry.path() / "comm");
            std::string command;
            std::getline(comm, command);
            const pid_t pid = std::stoi(name);
            if (command == program && pid > newest) {
                newest = pid;
            }
        }
        return newest != 0 ? of(newest) : std::nullopt;
    }
};

} // namespace tiklo::bench
