#include "sdl_sound_output.h"

#include "program_end.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <numbers>
#include <thread>
#include <tuple>
#include <type_traits>

namespace stimmung {

namespace {

using Clock = std::chrono::steady_clock;

constexpr float kAmplitude = 0.3f;
constexpr double kFadeMs = 3.0;
constexpr int kLowestFrequencyHz = 20;
constexpr std::size_t kQueueCapacity = 64;
constexpr std::size_t kToneStartCapacity = 4096;
// The stream counts as running after this many callbacks in a row that came
// no later than a few periods after the one before.
constexpr int kWarmCallbacks = 16;
// How long the opening thread waits for a freshly opened stream to run
// before it gives the device up.
constexpr auto kWarmUpLimit = std::chrono::seconds(10);
// Bandwidth of the loop that filters the callback times, in Hz: wide for the
// first callbacks so that the map settles on the device's real pace quickly,
// then narrow so that it follows the pace but not the jitter.
constexpr double kClockBandwidthHz = 1.0;
constexpr double kSettlingBandwidthHz = 10.0;
constexpr int kSettlingCallbacks = 100;
// A join the caller came too late for raises the margin by this much, up to
// the cap; a caller that is slow to come back gets a longer lead.
constexpr double kMissedJoinStepMs = 1.0;
constexpr double kMissedJoinCapMs = 10.0;
// The earliness peak decays with this time constant, in seconds.
constexpr double kEarlyDecaySeconds = 4.0;
constexpr auto kWaitSlice = std::chrono::milliseconds(20);
constexpr auto kDrainLimit = std::chrono::milliseconds(300);

// The stream format record that SDL_OpenAudioDevice takes and fills in, named
// after its place in that function's parameters.
template <typename> struct OpenParameters;
template <typename R, typename... A> struct OpenParameters<R(A...)> {
    using Format = std::remove_pointer_t<std::tuple_element_t<3, std::tuple<A...>>>;
};
using StreamFormat = OpenParameters<decltype(SDL_OpenAudioDevice)>::Format;

double Seconds(Clock::time_point t) { return std::chrono::duration<double>(t.time_since_epoch()).count(); }
Clock::time_point TimePoint(double seconds) {
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)));
}

void WaitUntil(Clock::time_point deadline) {
    for (;;) {
        const auto now = Clock::now();
        if (now >= deadline || EndRequested()) return;
        std::this_thread::sleep_until(std::min(deadline, now + kWaitSlice));
    }
}

// Raised-cosine gain for frame k of a fade of `length` frames, rising from
// nearly 0 to nearly 1; sampled at frame centres so that neither end is
// exactly 0 or 1 and a fade-out mirrors the fade-in.
double FadeGain(std::int64_t k, std::int64_t length) {
    return 0.5 - 0.5 * std::cos(std::numbers::pi * (static_cast<double>(k) + 0.5) / static_cast<double>(length));
}

} // namespace

struct SdlSoundOutput::Impl {
    enum class State { NotStarted, Opening, Open, Failed, Lost, Closed };

    struct Tone {
        std::int64_t start = 0;  // stream frame of the first sample
        std::int64_t frames = 0;
        std::int64_t fade = 1;   // fade-in and fade-out length in frames
        std::int32_t frequencyHz = 0;
        bool audible = false;
        Clock::time_point requested;
    };

    explicit Impl(Options o) : options(o) { toneStarts.reserve(kToneStartCapacity); }

    Options options;

    mutable std::mutex mutex;
    std::condition_variable changed;
    State state = State::NotStarted;
    bool closing = false;
    std::thread opener;
    Clock::time_point openDeadline;

    // Set by the opening thread before the stream runs; read-only afterwards.
    SDL_AudioDeviceID device = 0;
    bool subsystemUp = false;
    int rate = 0;
    int bufferFrames = 0;

    // The stream, guarded by `mutex`.
    std::int64_t consumed = 0;  // frames the callback has written so far
    std::int64_t callbacks = 0;
    Clock::time_point lastCallback;
    int regularRun = 0;         // callbacks in a row without a stall
    // The map between frames and the steady clock: frame `mapFrame` is at
    // time t0, frame mapFrame + mapFrames at t1; period the filtered period.
    bool mapValid = false;
    std::int64_t mapFrame = 0;
    int mapFrames = 1;
    double t0 = 0, t1 = 0, period = 0;
    int settled = 0;            // callbacks since the map was started
    double earlyPeak = 0;
    double extraMarginMs = 0;
    std::int64_t missedJoins = 0;

    std::array<Tone, kQueueCapacity> queue{};
    std::size_t head = 0, count = 0;
    std::int64_t lastEnd = 0;   // frame after the last queued tone
    bool chainable = false;     // lastEnd is the end of a tone a new one may join
    std::int64_t pause = 0;     // frames of Sleep since the last tone was placed
    std::uint64_t generation = 0; // counts the times queued tones were dropped

    std::vector<ToneStart> toneStarts;

    // ---- The callback side -------------------------------------------------

    static void SDLCALL Callback(void* user, Uint8* bytes, int length) {
        static_cast<Impl*>(user)->fill(reinterpret_cast<float*>(bytes), length / static_cast<int>(sizeof(float)));
    }

    void fill(float* out, int frames) {
        const auto now = Clock::now();
        bool wake = false;
        {
            std::lock_guard lock(mutex);
            followClock(Seconds(now), frames);
            std::int64_t position = consumed;
            int k = 0;
            while (k < frames) {
                if (count == 0) {
                    std::fill(out + k, out + frames, 0.0f);
                    break;
                }
                Tone& tone = queue[head];
                if (tone.start > position) {
                    const auto n = static_cast<int>(std::min<std::int64_t>(frames - k, tone.start - position));
                    std::fill(out + k, out + k + n, 0.0f);
                    k += n;
                    position += n;
                    continue;
                }
                const std::int64_t offset = position - tone.start;
                if (offset == 0 && toneStarts.size() < kToneStartCapacity)
                    toneStarts.push_back({position, tone.frames, tone.frequencyHz, tone.requested, now});
                const auto n = static_cast<int>(std::min<std::int64_t>(frames - k, tone.frames - offset));
                render(tone, offset, out + k, n);
                k += n;
                position += n;
                if (offset + n >= tone.frames) {
                    head = (head + 1) % kQueueCapacity;
                    --count;
                    wake = true;
                }
            }
            consumed += frames;
            ++callbacks;
            lastCallback = now;
            if (regularRun == kWarmCallbacks) wake = true;
        }
        if (wake) changed.notify_all();
    }

    void render(const Tone& tone, std::int64_t offset, float* out, int n) const {
        if (!tone.audible) {
            std::fill(out, out + n, 0.0f);
            return;
        }
        const double step = 2.0 * std::numbers::pi / rate;
        for (int i = 0; i < n; ++i) {
            const std::int64_t k = offset + i;
            double gain = 1.0;
            if (k < tone.fade) gain *= FadeGain(k, tone.fade);
            const std::int64_t fromEnd = tone.frames - 1 - k;
            if (fromEnd < tone.fade) gain *= FadeGain(fromEnd, tone.fade);
            // The phase from whole numbers, so it neither drifts nor jumps.
            const std::int64_t phase = (static_cast<std::int64_t>(tone.frequencyHz) * k) % rate;
            out[i] = static_cast<float>(kAmplitude * gain * std::sin(step * static_cast<double>(phase)));
        }
    }

    // Advances the frame/clock map with this callback's time: a second-order
    // delay-locked loop that keeps a phase and a period estimate.
    void followClock(double now, int frames) {
        const double nominal = static_cast<double>(frames) / rate;
        mapFrames = frames;
        if (!mapValid) {
            if (period <= 0) period = nominal;
            restartClock(now);
            return;
        }
        const double error = now - t1;
        if (std::abs(error) > 3.0 * nominal) {
            // A late or early callback: start the map again from this one.
            // After a long stop the queued tones are stale, too: their Beeps
            // have fallen back to the steady clock or returned; sounding them
            // now would be late.
            if (now - Seconds(lastCallback) > std::chrono::duration<double>(options.stallLimit).count()) {
                regularRun = 0;
                count = 0;
                dropped();
            }
            restartClock(now);
            return;
        }
        const double early = -error;
        earlyPeak = std::max(earlyPeak * std::exp(-nominal / kEarlyDecaySeconds), early);
        const double bandwidth = settled < kSettlingCallbacks ? kSettlingBandwidthHz : kClockBandwidthHz;
        // Kept well inside the loop's stable range, also for long buffers.
        const double omega = std::min(2.0 * std::numbers::pi * bandwidth * nominal, 0.4);
        ++settled;
        t0 = t1;
        t1 += std::sqrt(2.0) * omega * error + period;
        period = std::clamp(period + omega * omega * error, 0.5 * nominal, 2.0 * nominal);
        mapFrame = consumed;
        if (regularRun <= kWarmCallbacks) ++regularRun;
    }

    void restartClock(double now) {
        mapValid = true;
        settled = 0;
        t0 = now;
        t1 = now + period;
        mapFrame = consumed;
    }

    // ---- The caller side (all with `mutex` held) ---------------------------

    double timeOfFrame(std::int64_t frame) const {
        return t0 + static_cast<double>(frame - mapFrame) * (t1 - t0) / mapFrames;
    }
    double frameAt(double time) const { return static_cast<double>(mapFrame) + (time - t0) * mapFrames / (t1 - t0); }
    // The map is a straight line only while callbacks come: once the next one
    // is overdue, the stream stands at the frames written so far.
    double streamNow(double time) const { return std::min(time, t1); }
    bool overdue(double time) const { return time > t1 + static_cast<double>(mapFrames) / rate; }
    double lead() const {
        const double nominal = static_cast<double>(mapFrames) / rate;
        return (t1 - t0) + (options.marginMs + extraMarginMs) / 1000.0 + std::min(earlyPeak, 3.0 * nominal);
    }

    bool streaming(Clock::time_point now) const {
        return state == State::Open && now - lastCallback <= options.stallLimit;
    }

    bool deviceLost() {
        if (state == State::Open && SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED) state = State::Lost;
        return state == State::Lost;
    }

    // Ends what is queued: a tone that has begun is cut to a fade-out from
    // the next frame the callback writes; the ones after it are dropped.
    void flush() {
        if (count > 0) {
            Tone& tone = queue[head];
            if (tone.start < consumed) {
                const std::int64_t offset = consumed - tone.start;
                tone.frames = std::max(offset, std::min(tone.frames, offset + tone.fade));
                count = 1;
                dropped();
                lastEnd = tone.start + tone.frames;
                return;
            }
            count = 0;
        }
        dropped();
    }

    // After tones were taken off the queue: nothing to join to, and every
    // Beep still waiting for one of them falls back to the steady clock.
    void dropped() {
        chainable = false;
        pause = 0;
        lastEnd = consumed;
        ++generation;
    }

    void resetStream() {
        consumed = 0;
        callbacks = 0;
        regularRun = 0;
        mapValid = false;
        period = 0;
        earlyPeak = 0;
        settled = 0;
        head = count = 0;
        lastEnd = 0;
        chainable = false;
        pause = 0;
        lastCallback = Clock::now();
    }

    // ---- Opening and closing -----------------------------------------------

    void openDevice() {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Stimmung");
        bool ok = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
        SDL_AudioDeviceID opened = 0;
        StreamFormat obtained{};
        if (ok) {
            StreamFormat wanted{};
            wanted.freq = options.sampleRate;
            wanted.format = AUDIO_F32SYS;
            wanted.channels = 1;
            wanted.samples = static_cast<Uint16>(std::clamp(options.bufferFrames, 16, 8192));
            wanted.callback = &Impl::Callback;
            wanted.userdata = this;
            // Format and channels stay as asked (SDL converts); rate and
            // buffer size are taken as the device gives them.
            opened = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                                         SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
            ok = opened != 0 && obtained.freq > 0 && obtained.samples > 0;
            if (!ok && opened != 0) SDL_CloseAudioDevice(opened);
            if (!ok) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        std::unique_lock lock(mutex);
        if (!ok) {
            state = State::Failed;
            changed.notify_all();
            return;
        }
        subsystemUp = true;
        device = opened;
        rate = obtained.freq;
        bufferFrames = obtained.samples;
        resetStream();
        lock.unlock();
        SDL_PauseAudioDevice(opened, 0);
        lock.lock();
        const auto limit = Clock::now() + kWarmUpLimit;
        changed.wait_until(lock, limit, [&] { return closing || regularRun >= kWarmCallbacks; });
        if (regularRun >= kWarmCallbacks) {
            state = State::Open;
        } else {
            state = State::Failed;
            device = 0;
            subsystemUp = false;
            lock.unlock();
            SDL_CloseAudioDevice(opened);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            lock.lock();
        }
        changed.notify_all();
    }

    void startOpening(std::unique_lock<std::mutex>& lock) {
        if (state != State::NotStarted && state != State::Closed) return;
        if (opener.joinable()) {
            lock.unlock();
            opener.join();
            lock.lock();
        }
        state = State::Opening;
        closing = false;
        openDeadline = Clock::now() + options.openTimeout;
        opener = std::thread([this] {
            openDevice();
            // SDL keeps per-thread data (its error text) for threads it did
            // not create; this one ends here.
            SDL_TLSCleanup();
        });
    }

    void closeDevice() {
        std::unique_lock lock(mutex);
        closing = true;
        changed.notify_all();
        lock.unlock();
        if (opener.joinable()) opener.join();
        lock.lock();
        if (state == State::Open && !EndRequested()) {
            const auto limit = Clock::now() + kDrainLimit;
            while (count > 0 && streaming(Clock::now()) && Clock::now() < limit) changed.wait_until(lock, limit);
            // The last samples written still sit in the device's buffers
            // (about a period or two); closing now would cut them off.
            if (count == 0 && lastEnd > consumed - 2 * mapFrames) {
                const auto playOut = std::chrono::duration<double>(2.0 * mapFrames / rate) + std::chrono::milliseconds(10);
                lock.unlock();
                std::this_thread::sleep_for(playOut);
                lock.lock();
            }
        }
        const SDL_AudioDeviceID toClose = device;
        const bool quit = subsystemUp;
        device = 0;
        subsystemUp = false;
        state = State::Closed;
        lock.unlock();
        // Outside the lock: closing waits for SDL's audio thread, whose
        // callback takes the lock.
        if (toClose != 0) SDL_CloseAudioDevice(toClose);
        if (quit) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        lock.lock();
        head = count = 0;
        changed.notify_all();
    }
};

SdlSoundOutput::SdlSoundOutput() : SdlSoundOutput(Options{}) {}
SdlSoundOutput::SdlSoundOutput(Options options) : impl_(std::make_unique<Impl>(options)) {}
SdlSoundOutput::~SdlSoundOutput() { close(); }

void SdlSoundOutput::start() {
    std::unique_lock lock(impl_->mutex);
    impl_->startOpening(lock);
}

bool SdlSoundOutput::open() {
    std::unique_lock lock(impl_->mutex);
    impl_->startOpening(lock);
    lock.unlock();
    if (impl_->opener.joinable()) impl_->opener.join();
    return isOpen();
}

void SdlSoundOutput::close() { impl_->closeDevice(); }

bool SdlSoundOutput::isOpen() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->state == Impl::State::Open;
}

void SdlSoundOutput::Sleep(std::int32_t durationMs) {
    if (durationMs <= 0) return;
    const auto end = Clock::now() + std::chrono::milliseconds(durationMs);
    {
        // A pause inside a melody: the next tone may keep to the melody's
        // time in the stream, exactly this much after the last one.
        std::lock_guard lock(impl_->mutex);
        if (impl_->chainable && impl_->rate > 0)
            impl_->pause += std::llround(static_cast<double>(durationMs) * impl_->rate / 1000.0);
    }
    WaitUntil(end);
}

void SdlSoundOutput::Beep(std::int32_t frequencyHz, std::int32_t durationMs) {
    if (durationMs <= 0 || EndRequested()) return;
    Impl& s = *impl_;
    const auto called = Clock::now();
    const auto steadyEnd = called + std::chrono::milliseconds(durationMs);
    auto silently = [&](std::unique_lock<std::mutex>& lock) {
        lock.unlock();
        WaitUntil(steadyEnd);
    };

    std::unique_lock lock(s.mutex);
    if (s.state == Impl::State::NotStarted) s.startOpening(lock);
    while (s.state == Impl::State::Opening && !EndRequested()) {
        const auto now = Clock::now();
        if (now >= s.openDeadline) break;
        s.changed.wait_until(lock, std::min(s.openDeadline, now + kWaitSlice));
    }
    if (EndRequested()) return;
    if (s.deviceLost() || !s.streaming(Clock::now())) return silently(lock);

    while (s.count == kQueueCapacity) {
        s.changed.wait_for(lock, std::chrono::milliseconds(2));
        if (EndRequested()) return;
        if (s.deviceLost() || !s.streaming(Clock::now())) {
            s.flush();
            return silently(lock);
        }
    }

    // Place the tone. In a melody (the previous tone, and the pauses asked
    // for since, not yet past in the stream) it keeps to the melody's time:
    // right after the previous tone, or after it by the pauses. Else one
    // lead after now. Never before the next frame the callback writes.
    const double now = s.streamNow(Seconds(Clock::now()));
    const std::int64_t next = s.consumed;
    const std::int64_t inMelody = s.lastEnd + s.pause;
    std::int64_t start;
    if (s.chainable && static_cast<double>(inMelody) >= s.frameAt(now)) {
        start = std::max(inMelody, next);
        if (start > inMelody) {
            ++s.missedJoins;
            s.extraMarginMs = std::min(s.extraMarginMs + kMissedJoinStepMs, kMissedJoinCapMs);
        }
    } else
        start = std::max({static_cast<std::int64_t>(std::llround(s.frameAt(now + s.lead()))), next, s.lastEnd});

    Impl::Tone tone;
    tone.start = start;
    tone.frames = std::max<std::int64_t>(1, std::llround(static_cast<double>(durationMs) * s.rate / 1000.0));
    const auto fade = std::llround(kFadeMs * s.rate / 1000.0);
    tone.fade = std::max<std::int64_t>(1, std::min<std::int64_t>(fade, tone.frames / 4));
    tone.frequencyHz = frequencyHz;
    tone.audible = frequencyHz >= kLowestFrequencyHz && 2LL * frequencyHz < s.rate;
    tone.requested = called;
    s.queue[(s.head + s.count) % kQueueCapacity] = tone;
    ++s.count;
    s.lastEnd = start + tone.frames;
    s.chainable = true;
    s.pause = 0;
    const std::int64_t end = s.lastEnd;
    const std::uint64_t generation = s.generation;

    for (;;) {
        if (EndRequested()) {
            s.flush();
            return;
        }
        const auto nowPoint = Clock::now();
        if (s.generation != generation) return silently(lock);
        if (s.deviceLost() || !s.streaming(nowPoint)) {
            s.flush();
            return silently(lock);
        }
        const double release = s.timeOfFrame(end) - s.lead();
        // Waits for an overdue callback (or the stall limit) rather than
        // trusting a map the stream has stopped following.
        if (Seconds(nowPoint) < release)
            s.changed.wait_until(lock, std::min(TimePoint(release), nowPoint + kWaitSlice));
        else if (s.overdue(Seconds(nowPoint)))
            s.changed.wait_for(lock, std::chrono::milliseconds(1));
        else
            return;
    }
}

SdlSoundOutput::StreamStats SdlSoundOutput::streamStats() const {
    std::lock_guard lock(impl_->mutex);
    const Impl& s = *impl_;
    StreamStats stats;
    stats.sampleRate = s.rate;
    stats.bufferFrames = s.bufferFrames;
    if (s.rate > 0) {
        stats.nominalPeriodMs = 1000.0 * s.bufferFrames / s.rate;
        stats.measuredPeriodMs = 1000.0 * s.period;
        if (s.mapValid) stats.leadMs = 1000.0 * s.lead();
    }
    stats.framesDelivered = s.consumed;
    stats.missedJoins = s.missedJoins;
    stats.callbacks = s.callbacks;
    return stats;
}

std::vector<SdlSoundOutput::ToneStart> SdlSoundOutput::toneStarts() const {
    std::lock_guard lock(impl_->mutex);
    return impl_->toneStarts;
}

void SdlSoundOutput::clearToneStarts() {
    std::lock_guard lock(impl_->mutex);
    impl_->toneStarts.clear();
}

void SdlSoundOutput::suspendStreamForTesting(bool suspended) {
    std::unique_lock lock(impl_->mutex);
    const SDL_AudioDeviceID device = impl_->state == Impl::State::Open ? impl_->device : 0;
    lock.unlock();
    if (device != 0) SDL_PauseAudioDevice(device, suspended ? 1 : 0);
}

} // namespace stimmung
