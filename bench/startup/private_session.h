// SPDX-License-Identifier: GPL-3.0-or-later
// A desktop of the benchmark's own: a virtual X display (Xvfb, 1280 x 720,
// 24 bit, black root, no window manager) and, where PulseAudio is installed,
// a sound server with a null sink in a private runtime folder, so that the
// programs measured open a real sound device. Stopped on destruction.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace bench {

class PrivateSession {
public:
    PrivateSession();
    ~PrivateSession();
    PrivateSession(const PrivateSession&) = delete;
    PrivateSession& operator=(const PrivateSession&) = delete;

    bool displayUp() const { return !display_.empty(); }
    bool soundServerUp() const { return pulse_ > 0; }
    const std::string& display() const { return display_; } // ":N"
    const std::string& failure() const { return failure_; }

    // Environment entries for a program in this session; with `sound` false
    // the sound server is unreachable, so the program finds no device.
    std::vector<std::string> environment(bool sound) const;

private:
    void startDisplay();
    void startSoundServer();

    std::string display_;
    std::string folder_; // private runtime folder, removed at the end
    std::string failure_;
    pid_t xvfb_ = -1;
    pid_t pulse_ = -1;
};

} // namespace bench
