// SPDX-License-Identifier: GPL-3.0-or-later
#include "private_session.h"

#include "child_process.h"
#include "sample_rate.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace bench {

namespace {

// Everything that would lead a program to the user's own desktop, sound
// server or accessibility bus.
const std::vector<std::string> kForeign = {
    "DISPLAY=",         "WAYLAND_DISPLAY=",          "QT_",     "SDL_",       "PULSE_",
    "XDG_RUNTIME_DIR=", "DBUS_SESSION_BUS_ADDRESS=", "AT_SPI_", "XAUTHORITY="};

bool Found(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

} // namespace

PrivateSession::PrivateSession() {
    char pattern[] = "/tmp/stimmung-bench-XXXXXX";
    if (mkdtemp(pattern)) folder_ = pattern;
    startDisplay();
    if (displayUp() && !folder_.empty()) startSoundServer();
}

PrivateSession::~PrivateSession() {
    Stop(pulse_);
    Stop(xvfb_);
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

// Xvfb picks a free display number itself and writes it to the pipe.
void PrivateSession::startDisplay() {
    if (!Found("Xvfb")) {
        failure_ = "Xvfb is not installed";
        return;
    }
    int fds[2];
    if (pipe(fds) != 0) {
        failure_ = "no pipe for Xvfb";
        return;
    }
    xvfb_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x720x24", "-br", "-nolisten",
                   "tcp", "-noreset"},
                  Environment(kForeign, {}));
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 10000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (number.empty()) {
        failure_ = "Xvfb did not start";
        return;
    }
    display_ = ":" + number;
}

void PrivateSession::startSoundServer() {
    if (!Found("pulseaudio")) return;
    const std::string run = folder_ + "/run";
    mkdir(run.c_str(), 0700);
    pulse_ = Spawn({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                    "--load=module-null-sink sink_name=bench rate=" + std::to_string(stimmung::kSampleRate) + " channels=1",
                    "--load=module-native-protocol-unix auth-anonymous=1", "--load=module-always-sink"},
                   environment(true));
    const std::string socket = run + "/pulse/native";
    for (int i = 0; i < 500 && !std::filesystem::exists(socket); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!std::filesystem::exists(socket)) {
        Stop(pulse_);
        pulse_ = -1;
    }
}

std::vector<std::string> PrivateSession::environment(bool sound) const {
    const std::string run = folder_ + "/run";
    std::vector<std::string> extra = {
        "DISPLAY=" + display_,
        "QT_QPA_PLATFORM=xcb",
        "XDG_RUNTIME_DIR=" + run,
        "PULSE_RUNTIME_PATH=" + run + "/pulse",
        "PULSE_STATE_PATH=" + folder_ + "/pulse-state",
    };
    if (!sound) extra.push_back("PULSE_SERVER=unix:" + folder_ + "/no-sound-server");
    return Environment(kForeign, extra);
}

} // namespace bench
