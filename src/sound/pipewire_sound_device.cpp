// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own PipeWire output: one playback stream that writes, in
// every cycle of the server's graph, exactly the frames that cycle asks for.
// So it follows the cycle the graph runs at, also when another client asks
// for a shorter one; a fixed buffer would not fit a shorter cycle.
#include "sound_device.h"

#include "sound_server.h"

#include <pipewire/pipewire.h>
#include <spa/param/audio/format-utils.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

namespace stimmung {

namespace {

// How long opening waits for the server to take the stream.
constexpr auto kConnectLimit = std::chrono::seconds(2);

class PipeWireDevice : public SoundDevice {
public:
    explicit PipeWireDevice(const DeviceRequest& request)
            : fill_(request.fill), user_(request.user), rate_(request.sampleRate),
              frames_(request.bufferFrames > 0 ? request.bufferFrames : kPipeWireBufferFrames) {}

    ~PipeWireDevice() override {
        if (loop_) {
            pw_thread_loop_lock(loop_);
            if (stream_) pw_stream_destroy(stream_);
            pw_thread_loop_unlock(loop_);
            pw_thread_loop_stop(loop_);
            pw_thread_loop_destroy(loop_);
        }
    }

    // Connects the stream, held; false where the server does not take it.
    bool connect() {
        loop_ = pw_thread_loop_new("stimmung-sound", nullptr);
        if (!loop_ || pw_thread_loop_start(loop_) != 0) return false;
        pw_thread_loop_lock(loop_);
        const bool connected = connectLocked();
        pw_thread_loop_unlock(loop_);
        return connected;
    }

    void run(bool running) override {
        pw_thread_loop_lock(loop_);
        pw_stream_set_active(stream_, running);
        pw_thread_loop_unlock(loop_);
    }
    bool lost() const override { return lost_.load(std::memory_order_acquire); }
    int rate() const override { return rate_; }
    int bufferFrames() const override { return frames_; }

private:
    bool connectLocked() {
        // The program's latency sets the graph's cycle unless a client asks
        // for a shorter one.
        const std::string latency = std::to_string(frames_) + "/" + std::to_string(rate_);
        pw_properties* props =
            pw_properties_new(PW_KEY_MEDIA_TYPE, "Audio", PW_KEY_MEDIA_CATEGORY, "Playback", PW_KEY_MEDIA_ROLE,
                              "Music", PW_KEY_APP_NAME, "Stimmung", PW_KEY_NODE_LATENCY, latency.c_str(), nullptr);
        static const pw_stream_events events = [] {
            pw_stream_events e{};
            e.version = PW_VERSION_STREAM_EVENTS;
            e.state_changed = &PipeWireDevice::stateChanged;
            e.process = &PipeWireDevice::process;
            return e;
        }();
        stream_ = pw_stream_new_simple(pw_thread_loop_get_loop(loop_), "Stimmung", props, &events, this);
        if (!stream_) return false;
        spa_audio_info_raw info{};
        info.format = SPA_AUDIO_FORMAT_F32;
        info.rate = static_cast<std::uint32_t>(rate_);
        info.channels = 1;
        info.position[0] = SPA_AUDIO_CHANNEL_MONO;
        std::uint8_t storage[1024];
        spa_pod_builder builder = SPA_POD_BUILDER_INIT(storage, sizeof storage);
        const spa_pod* params[] = {spa_format_audio_raw_build(&builder, SPA_PARAM_EnumFormat, &info)};
        const auto flags = static_cast<pw_stream_flags>(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS |
                                                        PW_STREAM_FLAG_RT_PROCESS | PW_STREAM_FLAG_INACTIVE);
        if (pw_stream_connect(stream_, PW_DIRECTION_OUTPUT, PW_ID_ANY, flags, params, 1) != 0) return false;
        const auto limit = std::chrono::steady_clock::now() + kConnectLimit;
        while (!lost() && !ready_ && std::chrono::steady_clock::now() < limit) pw_thread_loop_timed_wait(loop_, 1);
        return ready_ && !lost();
    }

    static void stateChanged(void* data, pw_stream_state, pw_stream_state state, const char*) {
        auto* self = static_cast<PipeWireDevice*>(data);
        if (state == PW_STREAM_STATE_ERROR || state == PW_STREAM_STATE_UNCONNECTED)
            self->lost_.store(true, std::memory_order_release);
        if (state == PW_STREAM_STATE_PAUSED || state == PW_STREAM_STATE_STREAMING) self->ready_ = true;
        pw_thread_loop_signal(self->loop_, false);
    }

    // On the graph's real-time thread, once a cycle.
    static void process(void* data) {
        auto* self = static_cast<PipeWireDevice*>(data);
        pw_buffer* buffer = pw_stream_dequeue_buffer(self->stream_);
        if (!buffer) return;
        spa_data& out = buffer->buffer->datas[0];
        if (out.data) {
            constexpr std::uint32_t stride = sizeof(float);
            // What this cycle asks for; without that figure, the stream's
            // own cycle.
            const std::uint64_t wanted =
                buffer->requested > 0 ? buffer->requested : static_cast<std::uint64_t>(self->frames_);
            const auto frames = static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, out.maxsize / stride));
            if (frames > 0) self->fill_(self->user_, static_cast<float*>(out.data), static_cast<int>(frames));
            out.chunk->offset = 0;
            out.chunk->stride = stride;
            out.chunk->size = frames * stride;
        }
        pw_stream_queue_buffer(self->stream_, buffer);
    }

    FillFrames fill_;
    void* user_;
    int rate_;
    int frames_;
    pw_thread_loop* loop_ = nullptr;
    pw_stream* stream_ = nullptr;
    bool ready_ = false; // with the loop's lock
    std::atomic<bool> lost_{false};
};

} // namespace

std::unique_ptr<SoundDevice> OpenPipeWireDevice(const DeviceRequest& request) {
    // Once for the program's life: the library keeps what it loads.
    static std::once_flag once;
    std::call_once(once, [] { pw_init(nullptr, nullptr); });
    auto device = std::make_unique<PipeWireDevice>(request);
    if (!device->connect()) return nullptr;
    return device;
}

} // namespace stimmung
