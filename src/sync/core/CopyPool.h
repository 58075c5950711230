#pragma once

#include "SyncPlan.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace ardl {

class SyncTransfer;

// Copies of a run carried out on a few threads of their own, each with a
// transfer of its own made from the run's one, so that the time a file
// system takes to make each new file overlaps. Questions, checks and
// progress stay with the caller; only the copies themselves move.
class CopyPool {
public:
    using Outcome = std::pair<SyncTask, QString>; // "" or why the copy failed

    CopyPool(const SyncTransfer &prototype, int threads);
    // Waits for the copies queued.
    ~CopyPool();
    CopyPool(const CopyPool &) = delete;
    CopyPool &operator=(const CopyPool &) = delete;

    // Queues a copy; waits while enough are queued to keep every thread busy.
    void add(const SyncTask &task);
    // The copies that ended since the last call; with `all`, after waiting
    // for every copy queued.
    std::vector<Outcome> take(bool all);

private:
    void work(std::unique_ptr<SyncTransfer> transfer);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<SyncTask> m_queue;
    std::vector<Outcome> m_done;
    size_t m_window;
    int m_busy = 0;
    bool m_closing = false;
    std::vector<std::thread> m_threads;
};

} // namespace ardl
