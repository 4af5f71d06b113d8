// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound_thread_priority.h"

#include <SDL.h>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#ifndef SCHED_RESET_ON_FORK
#define SCHED_RESET_ON_FORK 0x40000000
#endif

namespace stimmung {

namespace {

// High enough to come before every normal thread, low enough to leave the
// sound server's own threads (and the kernel's) above it.
constexpr int kRealtimePriority = 10;

PriorityText Describe(int policy, int priority, int niceValue) {
    PriorityText text{};
    if (policy == SCHED_RR || policy == SCHED_FIFO)
        std::snprintf(text.data(), text.size(), "%s %d", policy == SCHED_RR ? "SCHED_RR" : "SCHED_FIFO", priority);
    else if (niceValue < 0)
        std::snprintf(text.data(), text.size(), "nice %d", niceValue);
    else
        std::snprintf(text.data(), text.size(), "normal");
    return text;
}

rlim_t SoftLimit(int resource) {
    rlimit limit{};
    return getrlimit(resource, &limit) == 0 ? limit.rlim_cur : 0;
}

} // namespace

void AskForRealtimeSoundThread() {
    SDL_SetHint(SDL_HINT_THREAD_PRIORITY_POLICY, "rr");
    SDL_SetHint(SDL_HINT_THREAD_FORCE_REALTIME_TIME_CRITICAL, "1");
}

PriorityText RaiseSoundThreadPriority() {
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    const int policy = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
    sched_param param{};
    sched_getparam(0, &param);
    if (policy == SCHED_RR || policy == SCHED_FIFO) return Describe(policy, param.sched_priority, 0);

    // Without CAP_SYS_NICE the kernel allows real-time priorities up to
    // RLIMIT_RTPRIO; with it, any. Try what is asked for, then the limit.
    const rlim_t rtLimit = SoftLimit(RLIMIT_RTPRIO);
    int tries[2] = {kRealtimePriority, 0};
    if (rtLimit != RLIM_INFINITY && rtLimit > 0 && rtLimit < static_cast<rlim_t>(kRealtimePriority))
        tries[1] = static_cast<int>(rtLimit);
    for (int priority : tries) {
        if (priority <= 0) continue;
        sched_param wanted{};
        wanted.sched_priority = priority;
        if (sched_setscheduler(0, SCHED_RR | SCHED_RESET_ON_FORK, &wanted) == 0) return Describe(SCHED_RR, priority, 0);
    }

    // RLIMIT_NICE n allows nice values down to 20 - n; a privileged process
    // may go to -20 whatever it says.
    const rlim_t niceLimit = SoftLimit(RLIMIT_NICE);
    const int allowed = niceLimit == RLIM_INFINITY ? -20 : std::clamp(20 - static_cast<int>(niceLimit), -20, 19);
    for (int niceValue : {-20, allowed}) {
        if (niceValue >= 0) continue;
        if (setpriority(PRIO_PROCESS, thread, niceValue) == 0) break;
    }
    errno = 0;
    const int now = getpriority(PRIO_PROCESS, thread);
    return Describe(SCHED_OTHER, 0, errno == 0 ? now : 0);
}

} // namespace stimmung
