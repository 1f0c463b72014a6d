#pragma once

// The memory the skins of a batch may hold at once. A skin waits, first come
// first served, until its share fits beside the others'; one whose share
// would not fit even alone goes when it is alone. A share may change while
// the skin runs, but only at once or not at all: a skin never waits while
// holding memory, so no two can wait for each other.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tf {

class MemoryBudget {
public:
    explicit MemoryBudget(uint64_t capacity) : m_capacity(capacity) {}

    class Share {
    public:
        Share() = default;
        Share(Share&& other) noexcept { *this = std::move(other); }
        Share& operator=(Share&& other) noexcept;
        ~Share() { release(); }

        // Makes the share bytes if that fits now; false (the share as it
        // was) otherwise. Shrinking always fits.
        bool resize(uint64_t bytes);
        void release() { resize(0); }
        uint64_t bytes() const { return m_bytes; }

    private:
        friend class MemoryBudget;
        MemoryBudget* m_budget = nullptr;
        uint64_t m_bytes = 0;
    };

    // Waits until bytes fit, then holds them.
    Share reserve(uint64_t bytes);

    uint64_t held() const;

private:
    bool fits(uint64_t more) const { return m_held == 0 || m_held + more <= m_capacity; }

    const uint64_t m_capacity;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    uint64_t m_held = 0;
    uint64_t m_nextTicket = 0;
    uint64_t m_serving = 0;
};

} // namespace tf
