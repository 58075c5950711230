#include "KeepAlive.h"

namespace ardl {

KeepAlive::KeepAlive(std::function<void()> call)
    : m_call(std::move(call))
{
}

void KeepAlive::operator()()
{
    if (!m_call)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (now - m_last < std::chrono::milliseconds(50))
        return;
    m_last = now;
    m_call();
    m_last = std::chrono::steady_clock::now();
}

} // namespace ardl
