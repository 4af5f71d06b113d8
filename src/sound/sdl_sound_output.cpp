// SPDX-License-Identifier: GPL-3.0-or-later
#include "sdl_sound_output.h"

#include "hand_over.h"
#include "lock_free.h"
#include "melody_clock.h"
#include "program_end.h"
#include "sound_device.h"
#include "sound_server.h"
#include "sound_thread_priority.h"
#include "stream_clock.h"
#include "tone_rules.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <string_view>
#include <thread>

namespace stimmung {

namespace {

using Clock = std::chrono::steady_clock;

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
// A join the caller came too late for raises the margin by this much, up to
// the cap; a caller that is slow to come back gets a longer lead.
constexpr double kMissedJoinStepMs = 1.0;
constexpr double kMissedJoinCapMs = 10.0;
constexpr auto kPollStep = std::chrono::milliseconds(2);
constexpr auto kDrainLimit = std::chrono::milliseconds(300);
// What a sound server holds beyond the device's own buffers and the latency
// asked of it, at most.
constexpr double kServerSlackSeconds = 0.010;

double Seconds(Clock::time_point t) { return std::chrono::duration<double>(t.time_since_epoch()).count(); }
Clock::time_point TimePoint(double seconds) {
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds)));
}

} // namespace

struct SdlSoundOutput::Impl {
    enum class State { NotStarted, Opening, Open, Failed, Lost, Closed };

    using Tone = QueuedTone;

    // What the callback tells the caller side after every buffer: where the
    // stream stands and the map between its frames and the steady clock.
    struct Position : StreamMap {
        std::int64_t consumed = 0; // frames the callback has written so far
        std::int64_t callbacks = 0;
        std::int64_t soundEnd = 0; // frame after the last sounding sample written
        std::int64_t lateStarts = 0;
        double lastCallback = 0;        // steady-clock seconds
        int regularRun = 0;             // callbacks in a row without a stall
        std::int64_t lateCallbacks = 0; // more than half a period after the one before
        double longestGap = 0;
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

    SpscRing<Tone, kQueueCapacity> tones;                   // caller -> callback
    mutable SpscRing<ToneStart, kStartRingCapacity> starts; // callback -> caller
    SeqLocked<Position> published;                          // callback -> caller
    // Queue index before which every tone is to end now: a sounding one with
    // a fade-out from the next buffer on, the others never to sound.
    std::atomic<std::uint64_t> cutBefore{0};
    // Counts the times the callback dropped the whole queue after a stall.
    std::atomic<std::uint64_t> staleDrops{0};

    // ---- The callback's own (read by nobody else while the stream runs) ----

    Position stream;
    StreamClock clock;
    bool sounding = false; // the tone at the queue's head has begun
    bool priorityRaised = false;
    std::uint64_t cutSeen = 0;

    // ---- The caller side, guarded by `mutex` --------------------------------

    mutable std::mutex mutex;
    std::condition_variable changed;
    State state = State::NotStarted;
    std::atomic<bool> closing{false};
    std::thread opener;
    Clock::time_point openDeadline;

    // Set by the opening thread before the stream runs; read-only afterwards.
    std::unique_ptr<SoundDevice> device;
    DeviceRequest request{0, 0, &Impl::Fill, this};
    int rate = 0;
    int bufferFrames = 0;

    double extraMarginMs = 0;
    std::int64_t missedJoins = 0;
    Melody melody; // where the last queued tone leaves the melody
    std::uint64_t dropsSeen = 0;
    mutable std::vector<ToneStart> toneStarts;
    HandOver handOver;
    MelodyClock melodyClock;

    // ---- The callback side -------------------------------------------------

    static void Fill(void* user, float* out, int frames) { static_cast<Impl*>(user)->fill(out, frames); }

    void fill(float* out, int frames) {
        if (!priorityRaised) {
            // The first callback runs on the device's thread, whatever
            // thread the driver feeds the device from.
            priorityRaised = true;
            priority = RaiseSoundThreadPriority();
            priorityKnown.store(true, std::memory_order_release);
        }
        const auto now = Clock::now();
        switch (clock.follow(stream, Seconds(now), stream.lastCallback, frames, stream.consumed)) {
        case StreamClock::Step::Followed:
            if (stream.regularRun <= kWarmCallbacks) ++stream.regularRun;
            break;
        case StreamClock::Step::Restarted: break;
        case StreamClock::Step::Stalled:
            // After a long stop the queued tones are stale: their Beeps have
            // fallen back to the steady clock or returned; sounding them now
            // would be late.
            stream.regularRun = 0;
            tones.dropAll();
            sounding = false;
            staleDrops.fetch_add(1, std::memory_order_release);
            break;
        }
        applyCut();
        WriteState written{sounding, stream.soundEnd, stream.lateStarts};
        WriteTones(tones, written, stream.consumed, out, frames, rate, [&](const Tone& tone, std::int64_t frame) {
            starts.push({frame, tone.frames, tone.frequencyHz, tone.requested, now, stream.consumed});
        });
        sounding = written.sounding;
        stream.soundEnd = written.soundEnd;
        stream.lateStarts = written.lateStarts;
        stream.consumed += frames;
        const double gap = Seconds(now) - stream.lastCallback;
        if (stream.callbacks > 0 && gap > 1.5 * frames / rate) ++stream.lateCallbacks;
        if (stream.callbacks > 0 && stream.regularRun >= kWarmCallbacks)
            stream.longestGap = std::max(stream.longestGap, gap);
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
            tone.frames = CutLength(tone, stream.consumed);
            ++index;
        }
        for (; index < cut && index < tail; ++index) tones.at(index).cancelled = true;
    }

    // Before the stream (re)starts; the callback is not running.
    void resetStream() {
        stream = Position{};
        stream.lastCallback = Seconds(Clock::now());
        clock = StreamClock(rate, std::chrono::duration<double>(options.stallLimit).count());
        sounding = false;
        priorityRaised = false;
        priorityKnown.store(false);
        tones.reset();
        cutBefore.store(0);
        cutSeen = 0;
        published.store(stream);
        melody = Melody{};
        dropsSeen = staleDrops.load();
    }

    // ---- The caller side (all with `mutex` held) ---------------------------

    Position position() const { return published.load(); }

    // The least time from a call of Beep to its tone's first frame, when no
    // tone is sounding: the margin and the callback's recent jitter.
    double startLead(const Position& p) const { return StartLeadSeconds(p, rate, options.marginMs / 1000.0); }
    // The lead L: how long before its tone's end a Beep returns, so that the
    // caller may come back up to the hand-over time (and the margins) late
    // and its next tone still joins this one.
    double lead(const Position& p) const {
        return JoinLeadSeconds(p, rate, options.marginMs / 1000.0) + extraMarginMs / 1000.0 + handOverSeconds();
    }
    double handOverSeconds() const {
        return options.handOverMs >= 0 ? options.handOverMs / 1000.0 : handOver.seconds();
    }

    bool streaming(const Position& p, Clock::time_point now) const {
        return state == State::Open &&
               Seconds(now) - p.lastCallback <= std::chrono::duration<double>(options.stallLimit).count();
    }

    bool deviceLost() {
        if (state == State::Open && device->lost()) state = State::Lost;
        return state == State::Lost;
    }

    // Ends what is queued: the callback fades a tone that has begun out from
    // its next buffer and drops the ones after it.
    void cut() {
        cutBefore.store(tones.tail(), std::memory_order_release);
        const Position p = position();
        // Nothing new may start before the faded tail: the callback takes the
        // cut in its next buffer, or the one after if it is writing now.
        unchain(p.consumed + 2LL * p.mapFrames + FadeFrames(rate));
    }

    // Nothing to join to; a tone placed from now on starts at `from` or
    // later. (The callback plays its queue in order, so a tone placed too
    // early would begin late, never overlap.)
    void unchain(std::int64_t from) { melody = Melody{from, false, 0}; }

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

    // Where PipeWire runs and the user chose no SDL driver, the program's
    // own PipeWire output (sound_device.h), else SDL's; a device whose
    // stream does not start gives way to the next.
    void openDevice() {
        request.sampleRate = options.sampleRate;
        request.bufferFrames = options.bufferFrames;
        const char* preferred = PreferredAudioDriver();
        const bool ownPipeWire = preferred && std::string_view(preferred) == "pipewire";
        for (const auto open : {ownPipeWire ? &OpenPipeWireDevice : nullptr, &OpenSdlDevice}) {
            if (!open || closing) continue;
            if (std::unique_ptr<SoundDevice> opened = open(request); opened && runs(std::move(opened))) return;
        }
        std::lock_guard lock(mutex);
        state = State::Failed;
        changed.notify_all();
    }

    // Starts the opened device's stream; true once it runs (the state is
    // Open), false with the device closed again.
    bool runs(std::unique_ptr<SoundDevice> opened) {
        SoundDevice* running = opened.get();
        {
            std::lock_guard lock(mutex);
            device = std::move(opened);
            rate = device->rate();
            bufferFrames = device->bufferFrames();
            resetStream();
        }
        running->run(true);
        const auto limit = Clock::now() + kWarmUpLimit;
        while (!closing && position().regularRun < kWarmCallbacks && Clock::now() < limit)
            std::this_thread::sleep_for(kPollStep);
        std::unique_lock lock(mutex);
        if (position().regularRun >= kWarmCallbacks) {
            state = State::Open;
            changed.notify_all();
            return true;
        }
        std::unique_ptr<SoundDevice> failed = std::move(device);
        lock.unlock();
        failed.reset();
        return false;
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
            ForgetSdlThreadData();
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
            const std::int64_t playedOut =
                p.soundEnd + 2LL * p.mapFrames + std::llround((ServerLatencySeconds() + kServerSlackSeconds) * rate);
            waitForStream(lock, kWhileStreaming, [&] { return position().consumed >= playedOut; });
        }
        std::unique_ptr<SoundDevice> toClose = std::move(device);
        state = State::Closed;
        lock.unlock();
        // Outside the lock: closing waits for the device's thread.
        toClose.reset();
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
        if (impl_->melody.chainable && impl_->rate > 0)
            impl_->melody.pause += std::llround(static_cast<double>(durationMs) * impl_->rate / 1000.0);
        end = TimePoint(impl_->melodyClock.deadline(Seconds(Clock::now()), durationMs / 1000.0));
    }
    WaitUntil(end);
    std::lock_guard lock(impl_->mutex);
    impl_->handOver.returned(Seconds(Clock::now()));
}

void SdlSoundOutput::Beep(std::int32_t frequencyHz, std::int32_t durationMs) {
    SdlSoundOutput::Chord(ChordOf({static_cast<double>(frequencyHz)}, BeepTimbre()), durationMs);
}

void SdlSoundOutput::Chord(const ChordRequest& chord, std::int32_t durationMs) {
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
    // Place the tone: in the melody's time where it is still ahead, else in
    // the first buffer the callback is still to write (tone_rules.h).
    const Impl::Position p = s.position();
    s.droppedSinceSeen(p);
    const double now = p.streamNow(Seconds(Clock::now()));
    const Placement placement = PlaceTone(s.melody, p.consumed, p.frameAt(now),
                                          FirstFreeFrame(p, p.consumed, now, s.startLead(p)), s.lead(p) * s.rate);
    s.handOver.called(Seconds(called), placement.joining);
    if (placement.missedJoin) {
        ++s.missedJoins;
        s.extraMarginMs = std::min(s.extraMarginMs + kMissedJoinStepMs, kMissedJoinCapMs);
    }
    Impl::Tone tone = ShapeChord(chord, durationMs, s.rate);
    tone.start = placement.start;
    tone.requested = called;
    s.tones.push(tone);
    s.melody = Melody{tone.start + tone.frames, true, 0};
    const std::int64_t end = s.melody.lastEnd;

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
        const auto wake = BeepWaitsUntil(q, Seconds(nowPoint), end, s.lead(q), s.rate,
                                         std::chrono::duration<double>(kWaitSlice).count());
        if (!wake) break;
        lock.unlock();
        std::this_thread::sleep_until(TimePoint(*wake));
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
    // The frames the device asks for now (a sound server's cycle may change).
    stats.bufferFrames = p.callbacks > 0 ? p.mapFrames : s.bufferFrames;
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
    // Only close() ends the device, and not while a test holds it.
    SoundDevice* device = impl_->state == Impl::State::Open ? impl_->device.get() : nullptr;
    lock.unlock();
    if (device) device->run(!suspended);
}

} // namespace stimmung
