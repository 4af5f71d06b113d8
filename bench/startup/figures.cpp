// SPDX-License-Identifier: GPL-3.0-or-later
#include "figures.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <thread>

namespace bench {

std::string MachineDescription() {
    std::string model = "unknown processor";
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0) {
            const auto colon = line.find(':');
            if (colon != std::string::npos) model = line.substr(colon + 2);
            break;
        }
    }
    const double gib = static_cast<double>(sysconf(_SC_PHYS_PAGES)) * static_cast<double>(sysconf(_SC_PAGE_SIZE)) /
                       (1024.0 * 1024.0 * 1024.0);
    char text[256];
    std::snprintf(text, sizeof text, "%u cores (%s), %.1f GiB memory", std::thread::hardware_concurrency(),
                  model.c_str(), gib);
    return text;
}

} // namespace bench
