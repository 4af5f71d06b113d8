#include "sdl_sound_output.h"

#include "hand_over.h"
#include "melody_clock.h"
#include "program_end.h"
#include "sound_thread_priority.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstring>
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
// Tones handed to the callback and not yet finished. Room for a lead's worth
// of the shortest tones (1 ms each); a full queue makes Beep wait.
constexpr std::size_t kQueueCapacity = 256;
// Tone starts on their way from the callback to the caller's record.
constexpr std::size_t kStartRingCapacity = 256;
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
constexpr auto kPollStep = std::chrono::milliseconds(2);
constexpr auto kDrainLimit = std::chrono::milliseconds(300);
// What a sound server holds beyond the device's own buffers, at most: the
// latency the program asks it for and a little more.
constexpr double kServerBufferSeconds = 0.030;

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

// A queue between exactly one producer and one consumer thread, neither of
// which ever waits for the other. The slots from head to tail belong to the
// consumer, which may change them; the producer only writes the slot at tail.
// Indices count up for the engine's life and are never reused.
template <typename T, std::size_t N> class SpscRing {
public:
    // Producer side.
    bool push(const T& value) {
        const std::uint64_t t = tail_.load(std::memory_order_relaxed);
        if (t - head_.load(std::memory_order_acquire) == N) return false;
        slots_[t % N] = value;
        tail_.store(t + 1, std::memory_order_release);
        return true;
    }
    bool full() const {
        return tail_.load(std::memory_order_relaxed) - head_.load(std::memory_order_acquire) == N;
    }
    // Consumer side.
    T* front() {
        const std::uint64_t h = head_.load(std::memory_order_relaxed);
        return h == tail_.load(std::memory_order_acquire) ? nullptr : &slots_[h % N];
    }
    T& at(std::uint64_t index) { return slots_[index % N]; }
    void pop() { head_.store(head_.load(std::memory_order_relaxed) + 1, std::memory_order_release); }
    void dropAll() { head_.store(tail_.load(std::memory_order_acquire), std::memory_order_release); }
    // Either side.
    std::uint64_t head() const { return head_.load(std::memory_order_acquire); }
    std::uint64_t tail() const { return tail_.load(std::memory_order_acquire); }
    // Only while neither side runs.
    void reset() {
        head_.store(0);
        tail_.store(0);
    }

private:
    std::array<T, N> slots_{};
    std::atomic<std::uint64_t> head_{0};
    std::atomic<std::uint64_t> tail_{0};
};

// A value that one thread writes and others read without either waiting on
// the other: a sequence lock over words that are each atomic, so a reader that
// overlaps a write sees an odd or changed sequence number and reads again.
// The words are stored with release and loaded with acquire: a reader that
// sees one word of a write in progress also sees that write's odd number.
template <typename T> class SeqLocked {
    static_assert(std::is_trivially_copyable_v<T>);
    static constexpr std::size_t kWords = (sizeof(T) + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t);

public:
    void store(const T& value) {
        std::array<std::uint64_t, kWords> words{};
        std::memcpy(words.data(), &value, sizeof(T));
        const std::uint64_t s = sequence_.load(std::memory_order_relaxed);
        sequence_.store(s + 1, std::memory_order_relaxed);
        for (std::size_t i = 0; i < kWords; ++i) words_[i].store(words[i], std::memory_order_release);
        sequence_.store(s + 2, std::memory_order_release);
    }
    T load() const {
        std::array<std::uint64_t, kWords> words{};
        for (;;) {
            const std::uint64_t before = sequence_.load(std::memory_order_acquire);
            if (before % 2 == 0) {
                for (std::size_t i = 0; i < kWords; ++i) words[i] = words_[i].load(std::memory_order_acquire);
                if (sequence_.load(std::memory_order_relaxed) == before) break;
            }
            std::this_thread::yield();
        }
        T value;
        std::memcpy(static_cast<void*>(&value), words.data(), sizeof(T));
        return value;
    }

private:
    std::atomic<std::uint64_t> sequence_{0};
    std::array<std::atomic<std::uint64_t>, kWords> words_{};
};

} // namespace

struct SdlSoundOutput::Impl {
    enum class State { NotStarted, Opening, Open, Failed, Lost, Closed };

    struct Tone {
        std::int64_t start = 0;  // stream frame of the first sample
        std::int64_t frames = 0;
        std::int64_t fade = 1;   // fade-in and fade-out length in frames
        std::int32_t frequencyHz = 0;
        bool audible = false;
        bool cancelled = false;  // taken back before it began: never sounds
        Clock::time_point requested;
    };

    // What the callback tells the caller side after every buffer: where the
    // stream stands and the map between its frames and the steady clock.
    // Frame `mapFrame` was written by the callback at time t0 (seconds on the
    // steady clock); the next callback, due at t1, writes frame mapFrame +
    // mapFrames.
    struct Position {
        std::int64_t consumed = 0;  // frames the callback has written so far
        std::int64_t callbacks = 0;
        std::int64_t soundEnd = 0;  // frame after the last sounding sample written
        std::int64_t lateStarts = 0;
        double lastCallback = 0;    // steady-clock seconds
        int regularRun = 0;         // callbacks in a row without a stall
        int mapFrames = 1;
        std::int64_t mapFrame = 0;
        double t0 = 0, t1 = 0;
        double period = 0;          // the filtered period, seconds
        double earlyPeak = 0;
        std::int64_t lateCallbacks = 0; // more than half a period after the one before
        double longestGap = 0;

        double timeOfFrame(std::int64_t frame) const {
            return t0 + static_cast<double>(frame - mapFrame) * (t1 - t0) / mapFrames;
        }
        double frameAt(double time) const {
            return static_cast<double>(mapFrame) + (time - t0) * mapFrames / (t1 - t0);
        }
        // The map is a straight line only while callbacks come: once the next
        // one is overdue, the stream stands at the frames written so far.
        double streamNow(double time) const { return std::min(time, t1); }
        bool overdue(double time, int rate) const { return time > t1 + static_cast<double>(mapFrames) / rate; }
    };

    explicit Impl(Options o) : options(o) { toneStarts.reserve(kToneStartCapacity); }

    Options options;
    // The scheduling the device thread got, written by its first callback.
    PriorityText priority{};
    std::atomic<bool> priorityKnown{false};

    // ---- Shared between the callback and the caller side, lock-free --------
    // Each side reaches the other only through these atomics and the ring
    // slots that are its own at the time; the callback takes no lock at all,
    // so a window thread that holds one cannot delay a buffer.

    SpscRing<Tone, kQueueCapacity> tones;          // caller -> callback
    mutable SpscRing<ToneStart, kStartRingCapacity> starts; // callback -> caller
    SeqLocked<Position> published;                  // callback -> caller
    // Queue index before which every tone is to end now: a sounding one with
    // a fade-out from the next buffer on, the others never to sound.
    std::atomic<std::uint64_t> cutBefore{0};
    // Counts the times the callback dropped the whole queue after a stall.
    std::atomic<std::uint64_t> staleDrops{0};

    // ---- The callback's own (read by nobody else while the stream runs) ----

    Position stream;
    bool mapValid = false;
    bool sounding = false;     // the tone at the queue's head has begun
    bool priorityRaised = false;
    int settled = 0;           // callbacks since the map was started
    std::uint64_t cutSeen = 0;

    // ---- The caller side, guarded by `mutex` --------------------------------

    mutable std::mutex mutex;
    std::condition_variable changed;
    State state = State::NotStarted;
    std::atomic<bool> closing{false};
    std::thread opener;
    Clock::time_point openDeadline;

    // Set by the opening thread before the stream runs; read-only afterwards.
    SDL_AudioDeviceID device = 0;
    bool subsystemUp = false;
    int rate = 0;
    int bufferFrames = 0;

    double extraMarginMs = 0;
    std::int64_t missedJoins = 0;
    std::int64_t lastEnd = 0;   // frame after the last queued tone
    bool chainable = false;     // lastEnd is the end of a tone a new one may join
    std::int64_t pause = 0;     // frames of Sleep since the last tone was placed
    std::uint64_t dropsSeen = 0;
    mutable std::vector<ToneStart> toneStarts;
    HandOver handOver;
    MelodyClock melodyClock;

    // ---- The callback side -------------------------------------------------

    static void SDLCALL Callback(void* user, Uint8* bytes, int length) {
        static_cast<Impl*>(user)->fill(reinterpret_cast<float*>(bytes), length / static_cast<int>(sizeof(float)));
    }

    void fill(float* out, int frames) {
        if (!priorityRaised) {
            // The first callback runs on the device's thread, whatever
            // thread the driver feeds the device from.
            priorityRaised = true;
            priority = RaiseSoundThreadPriority();
            priorityKnown.store(true, std::memory_order_release);
        }
        const auto now = Clock::now();
        followClock(Seconds(now), frames);
        applyCut();
        std::int64_t position = stream.consumed;
        int k = 0;
        while (k < frames) {
            Tone* tone = tones.front();
            if (tone == nullptr) {
                std::fill(out + k, out + frames, 0.0f);
                break;
            }
            if (tone->cancelled) {
                tones.pop();
                sounding = false;
                continue;
            }
            if (!sounding) {
                if (tone->start > position) {
                    const auto n = static_cast<int>(std::min<std::int64_t>(frames - k, tone->start - position));
                    std::fill(out + k, out + k + n, 0.0f);
                    k += n;
                    position += n;
                    continue;
                }
                // Queued after the callback had passed its start (a join
                // made at the last moment): it begins here, whole, rather
                // than with its beginning cut off.
                if (tone->start < position) {
                    tone->start = position;
                    ++stream.lateStarts;
                }
                sounding = true;
                starts.push({position, tone->frames, tone->frequencyHz, tone->requested, now, stream.consumed});
            }
            const std::int64_t offset = position - tone->start;
            const auto n = static_cast<int>(std::max<std::int64_t>(0, std::min<std::int64_t>(frames - k, tone->frames - offset)));
            render(*tone, offset, out + k, n);
            k += n;
            position += n;
            if (n > 0 && tone->audible) stream.soundEnd = position;
            if (offset + n >= tone->frames) {
                tones.pop();
                sounding = false;
            }
        }
        stream.consumed += frames;
        const double gap = Seconds(now) - stream.lastCallback;
        if (stream.callbacks > 0 && gap > 1.5 * frames / rate) ++stream.lateCallbacks;
        if (stream.callbacks > 0 && stream.regularRun >= kWarmCallbacks) stream.longestGap = std::max(stream.longestGap, gap);
        ++stream.callbacks;
        stream.lastCallback = Seconds(now);
        published.store(stream);
    }

    // Takes back what the caller side asked to end: the sounding tone fades
    // out from this buffer on, the ones queued after it never begin.
    void applyCut() {
        const std::uint64_t cut = cutBefore.load(std::memory_order_acquire);
        if (cut <= cutSeen) return;
        cutSeen = cut;
        std::uint64_t index = tones.head();
        const std::uint64_t tail = tones.tail();
        if (index < cut && index < tail && sounding) {
            Tone& tone = tones.at(index);
            const std::int64_t offset = stream.consumed - tone.start;
            tone.frames = std::max(offset, std::min(tone.frames, offset + tone.fade));
            ++index;
        }
        for (; index < cut && index < tail; ++index) tones.at(index).cancelled = true;
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
        stream.mapFrames = frames;
        if (!mapValid) {
            if (stream.period <= 0) stream.period = nominal;
            restartClock(now);
            return;
        }
        const double error = now - stream.t1;
        if (std::abs(error) > 3.0 * nominal) {
            // A late or early callback: start the map again from this one.
            // After a long stop the queued tones are stale, too: their Beeps
            // have fallen back to the steady clock or returned; sounding them
            // now would be late.
            if (now - stream.lastCallback > std::chrono::duration<double>(options.stallLimit).count()) {
                stream.regularRun = 0;
                tones.dropAll();
                sounding = false;
                staleDrops.fetch_add(1, std::memory_order_release);
            }
            restartClock(now);
            return;
        }
        const double early = -error;
        stream.earlyPeak = std::max(stream.earlyPeak * std::exp(-nominal / kEarlyDecaySeconds), early);
        const double bandwidth = settled < kSettlingCallbacks ? kSettlingBandwidthHz : kClockBandwidthHz;
        // Kept well inside the loop's stable range, also for long buffers.
        const double omega = std::min(2.0 * std::numbers::pi * bandwidth * nominal, 0.4);
        ++settled;
        stream.t0 = stream.t1;
        stream.t1 += std::sqrt(2.0) * omega * error + stream.period;
        stream.period = std::clamp(stream.period + omega * omega * error, 0.5 * nominal, 2.0 * nominal);
        stream.mapFrame = stream.consumed;
        if (stream.regularRun <= kWarmCallbacks) ++stream.regularRun;
    }

    void restartClock(double now) {
        mapValid = true;
        settled = 0;
        stream.t0 = now;
        stream.t1 = now + stream.period;
        stream.mapFrame = stream.consumed;
    }

    // Before the stream (re)starts; the callback is not running.
    void resetStream() {
        stream = Position{};
        stream.lastCallback = Seconds(Clock::now());
        mapValid = false;
        sounding = false;
        priorityRaised = false;
        priorityKnown.store(false);
        settled = 0;
        tones.reset();
        cutBefore.store(0);
        cutSeen = 0;
        published.store(stream);
        lastEnd = 0;
        chainable = false;
        pause = 0;
        dropsSeen = staleDrops.load();
    }

    // ---- The caller side (all with `mutex` held) ---------------------------

    Position position() const { return published.load(); }

    // The time from a call of Beep to its tone's first frame, when no tone
    // is sounding: one period, the margin, and the callback's recent jitter.
    double startLead(const Position& p) const {
        const double nominal = static_cast<double>(p.mapFrames) / rate;
        return (p.t1 - p.t0) + options.marginMs / 1000.0 + std::min(p.earlyPeak, 3.0 * nominal);
    }
    // The lead L: how long before its tone's end a Beep returns, so that the
    // caller may come back up to the hand-over time (and the margins) late
    // and its next tone still joins this one.
    double lead(const Position& p) const {
        return startLead(p) + extraMarginMs / 1000.0 + handOverSeconds();
    }
    double handOverSeconds() const {
        return options.handOverMs >= 0 ? options.handOverMs / 1000.0 : handOver.seconds();
    }

    bool streaming(const Position& p, Clock::time_point now) const {
        return state == State::Open &&
               Seconds(now) - p.lastCallback <= std::chrono::duration<double>(options.stallLimit).count();
    }

    bool deviceLost() {
        if (state == State::Open && SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED) state = State::Lost;
        return state == State::Lost;
    }

    // Ends what is queued: the callback fades a tone that has begun out from
    // its next buffer and drops the ones after it.
    void cut() {
        cutBefore.store(tones.tail(), std::memory_order_release);
        const Position p = position();
        // Nothing new may start before the faded tail: the callback takes the
        // cut in its next buffer, or the one after if it is writing now.
        unchain(p.consumed + 2LL * p.mapFrames + std::llround(kFadeMs * rate / 1000.0));
    }

    // Nothing to join to; a tone placed from now on starts at `from` or
    // later. (The callback plays its queue in order, so a tone placed too
    // early would begin late, never overlap.)
    void unchain(std::int64_t from) {
        chainable = false;
        pause = 0;
        lastEnd = from;
    }

    // True when the callback dropped the queue after a stall since the last
    // look: the tones queued then will never sound.
    bool droppedSinceSeen(const Position& p) {
        const std::uint64_t drops = staleDrops.load(std::memory_order_acquire);
        if (drops == dropsSeen) return false;
        dropsSeen = drops;
        unchain(p.consumed);
        return true;
    }

    void collectStarts() const {
        while (ToneStart* s = starts.front()) {
            if (toneStarts.size() < kToneStartCapacity) toneStarts.push_back(*s);
            starts.pop();
        }
    }

    bool queueEmpty() const { return tones.head() == tones.tail(); }

    // ---- Opening and closing -----------------------------------------------

    void openDevice() {
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Stimmung");
        AskForRealtimeSoundThread();
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
        const auto limit = Clock::now() + kWarmUpLimit;
        while (!closing && position().regularRun < kWarmCallbacks && Clock::now() < limit)
            std::this_thread::sleep_for(kPollStep);
        lock.lock();
        if (position().regularRun >= kWarmCallbacks) {
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

    // Waits, with the lock let go, until `done` holds, the stream stops or
    // the limit passes.
    template <typename Done>
    void waitForStream(std::unique_lock<std::mutex>& lock, Clock::time_point limit, Done done) {
        while (!done() && streaming(position(), Clock::now()) && Clock::now() < limit) {
            lock.unlock();
            std::this_thread::sleep_for(kPollStep);
            lock.lock();
        }
    }

    void closeDevice() {
        std::unique_lock lock(mutex);
        closing = true;
        changed.notify_all();
        lock.unlock();
        if (opener.joinable()) opener.join();
        lock.lock();
        if (state == State::Open) {
            // Tones whose Beeps have returned count as played: they may
            // finish, briefly. At the program's end nothing more may begin.
            if (!EndRequested()) waitForStream(lock, Clock::now() + kDrainLimit, [&] { return queueEmpty(); });
            // A cut tone fades out; closing before the callback has written
            // that fade would end it with a click, however late the callback
            // comes. Only a stream that stops ends the wait.
            constexpr auto kWhileStreaming = Clock::time_point::max();
            if (!queueEmpty()) {
                cut();
                waitForStream(lock, kWhileStreaming, [&] { return queueEmpty(); });
            }
            // The last samples written still sit in the device's and the
            // sound server's buffers; closing now would cut them off. The
            // stream runs on in silence until they have been played.
            const Position p = position();
            const std::int64_t playedOut = p.soundEnd + 2LL * p.mapFrames + std::llround(kServerBufferSeconds * rate);
            waitForStream(lock, kWhileStreaming, [&] { return position().consumed >= playedOut; });
        }
        const SDL_AudioDeviceID toClose = device;
        const bool quit = subsystemUp;
        device = 0;
        subsystemUp = false;
        state = State::Closed;
        lock.unlock();
        // Outside the lock: closing waits for SDL's audio thread.
        if (toClose != 0) SDL_CloseAudioDevice(toClose);
        if (quit) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        lock.lock();
        collectStarts();
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
    Clock::time_point end;
    {
        // A pause inside a melody: the next tone may keep to the melody's
        // time in the stream, exactly this much after the last one.
        std::lock_guard lock(impl_->mutex);
        if (impl_->chainable && impl_->rate > 0)
            impl_->pause += std::llround(static_cast<double>(durationMs) * impl_->rate / 1000.0);
        end = TimePoint(impl_->melodyClock.deadline(Seconds(Clock::now()), durationMs / 1000.0));
    }
    WaitUntil(end);
    std::lock_guard lock(impl_->mutex);
    impl_->handOver.returned(Seconds(Clock::now()));
}

void SdlSoundOutput::Beep(std::int32_t frequencyHz, std::int32_t durationMs) {
    if (durationMs <= 0 || EndRequested()) return;
    Impl& s = *impl_;
    const auto called = Clock::now();
    std::unique_lock lock(s.mutex);
    // Whichever way Beep returns, the caller's turnaround counts from then.
    struct Returned {
        Impl& s;
        std::unique_lock<std::mutex>& lock;
        ~Returned() {
            if (!lock.owns_lock()) lock.lock();
            s.handOver.returned(Seconds(Clock::now()));
        }
    } returned{s, lock};
    // Without sound the tone keeps the melody's time on the steady clock.
    auto silently = [&](std::unique_lock<std::mutex>& lock) {
        const auto end = TimePoint(s.melodyClock.deadline(Seconds(called), durationMs / 1000.0));
        lock.unlock();
        WaitUntil(end);
    };

    if (s.state == Impl::State::NotStarted) s.startOpening(lock);
    while (s.state == Impl::State::Opening && !EndRequested()) {
        const auto now = Clock::now();
        if (now >= s.openDeadline) break;
        s.changed.wait_until(lock, std::min(s.openDeadline, now + kWaitSlice));
    }
    if (EndRequested()) return;
    s.collectStarts();
    if (s.deviceLost() || !s.streaming(s.position(), Clock::now())) return silently(lock);

    while (s.tones.full()) {
        lock.unlock();
        std::this_thread::sleep_for(kPollStep);
        lock.lock();
        if (EndRequested()) return;
        if (s.deviceLost() || !s.streaming(s.position(), Clock::now())) {
            s.cut();
            return silently(lock);
        }
    }

    s.melodyClock.forget();
    // Place the tone. In a melody (the previous tone, and the pauses asked
    // for since, not yet past in the stream) it keeps to the melody's time:
    // right after the previous tone, or after it by the pauses. Else one
    // start lead after now. Never before the next frame the callback writes.
    const Impl::Position p = s.position();
    s.droppedSinceSeen(p);
    const double now = p.streamNow(Seconds(Clock::now()));
    const std::int64_t next = p.consumed;
    const std::int64_t inMelody = s.lastEnd + s.pause;
    std::int64_t start;
    auto missedJoin = [&] {
        ++s.missedJoins;
        s.extraMarginMs = std::min(s.extraMarginMs + kMissedJoinStepMs, kMissedJoinCapMs);
    };
    const bool joining = s.chainable && static_cast<double>(inMelody) >= p.frameAt(now);
    s.handOver.called(Seconds(called),
                      joining || (s.chainable && p.frameAt(now) - static_cast<double>(inMelody) < s.lead(p) * s.rate));
    if (joining) {
        start = std::max(inMelody, next);
        if (start > inMelody) missedJoin();
    } else {
        // A caller back less than one lead after the melody's time has
        // passed meant to join as well; the tone starts afresh.
        if (s.chainable && p.frameAt(now) - static_cast<double>(inMelody) < s.lead(p) * s.rate) missedJoin();
        start = std::max({static_cast<std::int64_t>(std::llround(p.frameAt(now + s.startLead(p)))), next, s.lastEnd});
    }

    Impl::Tone tone;
    tone.start = start;
    tone.frames = std::max<std::int64_t>(1, std::llround(static_cast<double>(durationMs) * s.rate / 1000.0));
    const auto fade = std::llround(kFadeMs * s.rate / 1000.0);
    tone.fade = std::max<std::int64_t>(1, std::min<std::int64_t>(fade, tone.frames / 4));
    tone.frequencyHz = frequencyHz;
    tone.audible = frequencyHz >= kLowestFrequencyHz && 2LL * frequencyHz < s.rate;
    tone.requested = called;
    s.tones.push(tone);
    s.lastEnd = start + tone.frames;
    s.chainable = true;
    s.pause = 0;
    const std::int64_t end = s.lastEnd;

    for (;;) {
        if (EndRequested()) {
            s.cut();
            return;
        }
        const auto nowPoint = Clock::now();
        const Impl::Position q = s.position();
        if (s.droppedSinceSeen(q)) return silently(lock);
        if (s.deviceLost() || !s.streaming(q, nowPoint)) {
            s.cut();
            return silently(lock);
        }
        const double release = q.timeOfFrame(end) - s.lead(q);
        // Waits for an overdue callback (or the stall limit) rather than
        // trusting a map the stream has stopped following.
        Clock::time_point wake;
        if (Seconds(nowPoint) < release)
            wake = std::min(TimePoint(release), nowPoint + kWaitSlice);
        else if (q.overdue(Seconds(nowPoint), s.rate))
            wake = nowPoint + std::chrono::milliseconds(1);
        else
            break;
        lock.unlock();
        std::this_thread::sleep_until(wake);
        lock.lock();
    }
    s.collectStarts();
}

SdlSoundOutput::StreamStats SdlSoundOutput::streamStats() const {
    std::lock_guard lock(impl_->mutex);
    const Impl& s = *impl_;
    const Impl::Position p = s.position();
    StreamStats stats;
    stats.sampleRate = s.rate;
    stats.bufferFrames = s.bufferFrames;
    if (s.rate > 0) {
        stats.nominalPeriodMs = 1000.0 * s.bufferFrames / s.rate;
        stats.measuredPeriodMs = 1000.0 * p.period;
        if (p.callbacks > 0) {
            stats.leadMs = 1000.0 * s.lead(p);
            stats.startLeadMs = 1000.0 * s.startLead(p);
        }
        stats.handOverMs = 1000.0 * s.handOverSeconds();
    }
    if (s.priorityKnown.load(std::memory_order_acquire)) stats.priority = s.priority.data();
    stats.framesDelivered = p.consumed;
    stats.missedJoins = s.missedJoins;
    stats.lateStarts = p.lateStarts;
    stats.callbacks = p.callbacks;
    stats.lateCallbacks = p.lateCallbacks;
    stats.longestCallbackGapMs = 1000.0 * p.longestGap;
    return stats;
}

std::vector<SdlSoundOutput::ToneStart> SdlSoundOutput::toneStarts() const {
    std::lock_guard lock(impl_->mutex);
    impl_->collectStarts();
    return impl_->toneStarts;
}

void SdlSoundOutput::clearToneStarts() {
    std::lock_guard lock(impl_->mutex);
    impl_->collectStarts();
    impl_->toneStarts.clear();
}

void SdlSoundOutput::suspendStreamForTesting(bool suspended) {
    std::unique_lock lock(impl_->mutex);
    const SDL_AudioDeviceID device = impl_->state == Impl::State::Open ? impl_->device : 0;
    lock.unlock();
    if (device != 0) SDL_PauseAudioDevice(device, suspended ? 1 : 0);
}

} // namespace stimmung
