// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace bench {

namespace {

std::vector<char*> Pointers(const std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (const auto& s : strings) p.push_back(const_cast<char*>(s.c_str()));
    p.push_back(nullptr);
    return p;
}

} // namespace

pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, bool quiet) {
    auto args = Pointers(argv);
    auto envp = Pointers(env);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid != 0) return pid;
    // Child: die with the driver, so no program outlives an interrupted run.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (getppid() != parent) _exit(127);
    if (quiet) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    execvpe(args[0], args.data(), envp.data());
    _exit(127);
}

Exit WaitFor(pid_t pid, Clock::time_point deadline) {
    Exit result;
    rusage usage{};
    for (;;) {
        const pid_t done = wait4(pid, &result.status, WNOHANG, &usage);
        if (done == pid) {
            result.exited = true;
            result.maxRssKb = usage.ru_maxrss;
            return result;
        }
        if (done < 0) return result;
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(pid, SIGKILL);
    wait4(pid, &result.status, 0, &usage);
    result.maxRssKb = usage.ru_maxrss;
    return result;
}

double CpuMs(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto name = stat.rfind(')');
    if (name == std::string::npos) return -1;
    // After the command name: state, ppid, pgrp, session, tty, tpgid, flags,
    // minflt, cminflt, majflt, cmajflt, utime, stime.
    std::istringstream fields(stat.substr(name + 1));
    std::string field;
    long ticks = 0;
    for (int i = 0; i < 13 && fields >> field; ++i)
        if (i >= 11) ticks += std::stol(field);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long PeakRssKb(pid_t pid) {
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(file, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

void Stop(pid_t pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    WaitFor(pid, Clock::now() + std::chrono::seconds(3));
}

std::vector<std::string> Environment(const std::vector<std::string>& dropPrefixes,
                                     const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry(*e);
        bool drop = false;
        for (const auto& prefix : dropPrefixes) drop = drop || entry.rfind(prefix, 0) == 0;
        if (!drop) env.push_back(entry);
    }
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

} // namespace bench
