#include "CopyPool.h"

#include "SyncTransfer.h"

namespace ardl {

namespace {

constexpr size_t QueuedPerThread = 8;

} // namespace

CopyPool::CopyPool(const SyncTransfer &prototype, int threads)
    : m_window(size_t(threads) * QueuedPerThread)
{
    for (int i = 0; i < threads; ++i)
        m_threads.emplace_back(&CopyPool::work, this, prototype.worker());
}

CopyPool::~CopyPool()
{
    {
        std::unique_lock lock(m_mutex);
        m_closing = true;
    }
    m_changed.notify_all();
    for (std::thread &t : m_threads)
        t.join();
}

void CopyPool::add(const SyncTask &task)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queue.size() < m_window; });
    m_queue.push_back(task);
    m_changed.notify_all();
}

std::vector<CopyPool::Outcome> CopyPool::take(bool all)
{
    std::unique_lock lock(m_mutex);
    if (all)
        m_changed.wait(lock, [this] { return m_queue.empty() && m_busy == 0; });
    std::vector<Outcome> done;
    done.swap(m_done);
    return done;
}

void CopyPool::work(std::unique_ptr<SyncTransfer> transfer)
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_closing || !m_queue.empty(); });
        if (m_queue.empty())
            return; // closing, and nothing left to copy
        const SyncTask task = m_queue.front();
        m_queue.pop_front();
        ++m_busy;
        m_changed.notify_all(); // room in the queue
        lock.unlock();
        QString failed = transfer->copy(task);
        lock.lock();
        --m_busy;
        m_done.emplace_back(task, std::move(failed));
        m_changed.notify_all();
    }
}

} // namespace ardl
