#pragma once

#include <chrono>
#include <functional>

namespace ardl {

// Calls a function now and then during a long run (at most every 50 ms),
// so that a window can repaint while the run blocks its thread.
class KeepAlive {
public:
    KeepAlive() = default;
    explicit KeepAlive(std::function<void()> call);
    void operator()();

private:
    std::function<void()> m_call;
    std::chrono::steady_clock::time_point m_last {};
};

} // namespace ardl
