#include "cli/MemoryBudget.h"

namespace tf {

MemoryBudget::Share& MemoryBudget::Share::operator=(Share&& other) noexcept
{
    if (this != &other) {
        release();
        m_budget = other.m_budget;
        m_bytes = other.m_bytes;
        other.m_budget = nullptr;
        other.m_bytes = 0;
    }
    return *this;
}

bool MemoryBudget::Share::resize(uint64_t bytes)
{
    if (!m_budget || bytes == m_bytes)
        return true;
    {
        const std::lock_guard lock(m_budget->m_mutex);
        const uint64_t others = m_budget->m_held - m_bytes;
        if (bytes > m_bytes && others != 0 && others + bytes > m_budget->m_capacity)
            return false;
        m_budget->m_held = others + bytes;
        m_bytes = bytes;
    }
    m_budget->m_changed.notify_all();
    return true;
}

MemoryBudget::Share MemoryBudget::reserve(uint64_t bytes)
{
    std::unique_lock lock(m_mutex);
    const uint64_t ticket = m_nextTicket++;
    m_changed.wait(lock, [&] { return ticket == m_serving && fits(bytes); });
    ++m_serving;
    m_held += bytes;
    lock.unlock();
    m_changed.notify_all();
    Share share;
    share.m_budget = this;
    share.m_bytes = bytes;
    return share;
}

uint64_t MemoryBudget::held() const
{
    const std::lock_guard lock(m_mutex);
    return m_held;
}

} // namespace tf
