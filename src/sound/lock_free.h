// SPDX-License-Identifier: GPL-3.0-or-later
// The two lock-free hand-overs between the sound device's callback and the
// threads that call Beep: a ring of slots and a value behind a sequence lock.
// Neither side ever waits for the other. Plain C++.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <thread>
#include <type_traits>

namespace stimmung {

// A queue between exactly one producer and one consumer thread, neither of
// which ever waits for the other. The slots from head to tail belong to the
// consumer, which may change them; the producer only writes the slot at tail.
// Indices count up for the engine's life and are never reused.
template <typename T, std::size_t N>
class SpscRing {
public:
    // Producer side.
    bool push(const T& value) {
        const std::uint64_t t = tail_.load(std::memory_order_relaxed);
        if (t - head_.load(std::memory_order_acquire) == N) return false;
        slots_[t % N] = value;
        tail_.store(t + 1, std::memory_order_release);
        return true;
    }
    bool full() const { return tail_.load(std::memory_order_relaxed) - head_.load(std::memory_order_acquire) == N; }
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
template <typename T>
class SeqLocked {
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

} // namespace stimmung
