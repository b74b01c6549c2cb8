// A block that one process writes and others read while it may be writing:
// the sequence number is odd while the block changes, so a reader that finds
// it odd, or changed by the end of its copy, has seen half a write and reads
// again. The writer never waits for a reader.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace zorvel {

template <typename T>
struct PublishedBlock {
    static_assert(std::is_trivially_copyable<T>::value, "copied as bytes");
    static_assert(std::atomic<uint32_t>::is_always_lock_free, "shared between processes");
    std::atomic<uint32_t> Sequence;
    T Data;
};

// `fill` writes the new data into the block in place, so that a tick's tables
// are copied once.
template <typename T, typename Fill>
void PublishWith(PublishedBlock<T>& block, Fill fill) {
    const uint32_t sequence = block.Sequence.load(std::memory_order_relaxed);
    block.Sequence.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    fill(block.Data);
    block.Sequence.store(sequence + 2, std::memory_order_release);
}

template <typename T>
void Publish(PublishedBlock<T>& block, const T& data) {
    PublishWith(block, [&data](T& in) { std::memcpy(&in, &data, sizeof data); });
}

// Whether anything was published since a reader took `sequence`.
template <typename T>
uint32_t SequenceOf(const PublishedBlock<T>& block) {
    return block.Sequence.load(std::memory_order_acquire);
}

// False when every try met the writer at work.
template <typename T>
bool TakePublished(const PublishedBlock<T>& block, T& data, int tries = 1000) {
    for (int i = 0; i < tries; ++i) {
        const uint32_t before = block.Sequence.load(std::memory_order_acquire);
        if (before % 2 != 0) {
            continue;
        }
        std::memcpy(&data, &block.Data, sizeof data);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (block.Sequence.load(std::memory_order_relaxed) == before) {
            return true;
        }
    }
    return false;
}

}  // namespace zorvel
