// The folder scan proper, behind ScanFolderTree. The calling thread walks
// the tree depth first in name order and builds the collection; a few
// helper threads read the folders it will need next (the system calls, most
// of the time a scan takes) so that they are ready when it comes to them.
// The result is the same as one thread's walk, whatever the timing.
#include "modFindFile.h"

#include "FolderReader.h"
#include "modFile.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <queue>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

namespace ardl {

namespace {

constexpr unsigned MaxHelpers = 3;
// Folders the helpers may have read ahead of the walk; their listings wait
// in memory until the walk takes them.
constexpr int MaxAhead = 64;

// One folder of the tree and, once read, what it holds.
struct WalkNode {
    // Let go once the walk is through with the node:
    ListedFolder folder;
    std::vector<unsigned> order;   // child numbers from the top: its place in the walk
    FolderListing listing;
    // Kept for the folders below it:
    const WalkNode *parent = nullptr;
    dev_t device = 0;   // the folder's identity
    ino_t inode = 0;
    std::vector<std::unique_ptr<WalkNode>> children;   // in name order
    std::exception_ptr failure;
    bool loop = false;   // the same folder as one above it (a bind mount inside itself)
    // Guarded by the pool's mutex once the pool has the node:
    bool done = false;         // read
    bool byHelper = false;     // read by a helper, which counts it as ahead until released
    bool discarded = false;    // below a folder the walk skips: never needed
};

bool repeatsAncestor(const WalkNode &node)
{
    for (const WalkNode *up = node.parent; up; up = up->parent)
        if (up->device == node.device && up->inode == node.inode)
            return true;
    return false;
}

// Reads a node and makes its children.
void readNode(WalkNode &node, FolderReader &reader)
{
    try {
        reader.read(node.folder, node.parent == nullptr, true, node.listing);
        node.device = node.listing.device;
        node.inode = node.listing.inode;
        if (node.listing.error == 0 && repeatsAncestor(node)) {
            node.loop = true;
            node.listing = FolderListing{};
        }
        node.children.reserve(node.listing.folders.size());
        for (ListedFolder &f : node.listing.folders) {
            auto child = std::make_unique<WalkNode>();
            child->folder = std::move(f);
            child->parent = &node;
            child->order = node.order;
            child->order.push_back(unsigned(node.children.size()));
            node.children.push_back(std::move(child));
        }
        node.listing.folders.clear();
    } catch (...) {
        node.failure = std::current_exception();
        node.children.clear();
    }
}

// Earlier in the walk comes first out of the queue.
struct LaterInWalk {
    bool operator()(const WalkNode *a, const WalkNode *b) const { return a->order > b->order; }
};

// Folders waiting to be read, and the helper threads that read them.
class ReaderPool {
public:
    explicit ReaderPool(const QString &mask) : m_mask(mask) {}
    ~ReaderPool()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_work.notify_all();
        for (std::thread &t : m_threads)
            t.join();
    }
    ReaderPool(const ReaderPool &) = delete;
    ReaderPool &operator=(const ReaderPool &) = delete;

    // Queues the children of a node the walk has read itself, and starts
    // the helpers.
    void start(WalkNode &node, unsigned helpers)
    {
        {
            const std::lock_guard lock(m_mutex);
            queueChildren(node);
        }
        for (unsigned i = 0; i < helpers; ++i) {
            try {
                m_threads.emplace_back(&ReaderPool::help, this);
            } catch (const std::system_error &) {
                break;   // no more threads to be had: the walk reads on its own
            }
        }
    }

    // Returns once `node`, the next folder of the walk, has been read: by a
    // helper, or here when none has taken it yet.
    void waitFor(WalkNode &node, FolderReader &reader)
    {
        std::unique_lock lock(m_mutex);
        while (!node.done) {
            // Nothing before it in the walk is left but folders below one it
            // skipped, so when it is still queued it comes out next.
            while (!m_queue.empty() && m_queue.top()->discarded)
                m_queue.pop();
            if (!m_queue.empty() && m_queue.top() == &node) {
                m_queue.pop();
                lock.unlock();
                readNode(node, reader);
                lock.lock();
                finish(node);
                break;
            }
            m_finished.wait(lock);
        }
    }

    // The walk is through with `node`: a helper may read one more ahead.
    void release(WalkNode &node)
    {
        const std::lock_guard lock(m_mutex);
        releaseLocked(node);
    }

    // The walk skips `node` and everything below it.
    void discardBelow(WalkNode &node)
    {
        const std::lock_guard lock(m_mutex);
        for (const auto &child : node.children)
            discard(*child);
    }

private:
    // The rest, with the lock held.
    void queueChildren(WalkNode &node)
    {
        for (const auto &child : node.children)
            m_queue.push(child.get());
    }

    void finish(WalkNode &node)
    {
        node.done = true;
        if (node.discarded) {
            releaseLocked(node);
            return;
        }
        queueChildren(node);
        m_work.notify_all();
        m_finished.notify_all();
    }

    // Only the node's place in the tree and its identity stay, for the
    // folders below it.
    void releaseLocked(WalkNode &node)
    {
        if (node.byHelper) {
            node.byHelper = false;
            --m_ahead;
            m_work.notify_one();
        }
        node.listing = FolderListing{};
        node.folder = ListedFolder{};
        node.order = {};
    }

    void discard(WalkNode &node)
    {
        node.discarded = true;
        if (!node.done)
            return;   // queued: skipped when it comes out; being read: released when done
        releaseLocked(node);
        for (const auto &child : node.children)
            discard(*child);
    }

    void help()
    {
        std::unique_ptr<FolderReader> reader;
        try {
            reader = std::make_unique<FolderReader>(m_mask);
        } catch (...) {
            return;   // the walk reads on its own
        }
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_work.wait(lock, [this] { return m_stopping || (!m_queue.empty() && m_ahead < MaxAhead); });
            if (m_stopping)
                return;
            WalkNode &node = *m_queue.top();
            m_queue.pop();
            if (node.discarded)
                continue;
            node.byHelper = true;
            ++m_ahead;
            lock.unlock();
            readNode(node, *reader);
            lock.lock();
            finish(node);
        }
    }

    const QString m_mask;
    std::mutex m_mutex;
    std::condition_variable m_work;       // a folder was queued or released, or the pool stops
    std::condition_variable m_finished;   // a folder has been read
    std::priority_queue<WalkNode *, std::vector<WalkNode *>, LaterInWalk> m_queue;
    int m_ahead = 0;   // folders read by helpers and not yet released
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

// A scan lists every path once, so into an empty collection its files go as
// they are, without being looked up one by one.
void addFiles(colFile &col, const WalkNode &node, bool distinct)
{
    std::vector<clsFile> files = ListedFiles(node.folder, node.listing);
    if (distinct) {
        col.AppendDistinct(std::move(files));
        return;
    }
    for (clsFile &f : files)
        col.Add(std::move(f));   // a file already there is simply skipped
}

unsigned helperThreads()
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(cores - 1, MaxHelpers);
}

} // namespace

ScanReport ScanFolderTree(colFile &col, ScanOptions &opt)
{
    ScanReport report;
    if (opt.Path.isEmpty())
        return report;   // never the process's current folder by accident
    const bool distinct = col.Count() == 0;
    const QString top = AddBackslash(opt.Path);
    WalkNode root;
    root.folder = ListedFolder{top, top.toUtf8(), true};
    FolderReader reader(opt.Mask);
    readNode(root, reader);
    if (root.failure)
        std::rethrow_exception(root.failure);
    if (root.listing.error != 0) {
        report.unreadable.push_back({top, root.listing.error});
        return report;
    }
    addFiles(col, root, distinct);
    if (root.children.empty())
        return report;
    if (!opt.Recursive) {
        // The sub-folders are still named in turn: the last one stays in Path.
        opt.Path = root.children.back()->folder.path.chopped(1);
        return report;
    }

    ReaderPool pool(opt.Mask);
    pool.start(root, helperThreads());
    std::set<std::pair<dev_t, ino_t>> visited{{root.device, root.inode}};
    std::vector<WalkNode *> pending;
    for (auto it = root.children.rbegin(); it != root.children.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        WalkNode &node = *pending.back();
        pending.pop_back();
        opt.Path = node.folder.path.chopped(1);
        pool.waitFor(node, reader);
        if (node.failure)
            std::rethrow_exception(node.failure);
        if (node.listing.error != 0) {
            report.unreadable.push_back({node.folder.path, node.listing.error});
            pool.release(node);
            continue;
        }
        // A folder reached a second time (a bind mount) is walked once.
        if (node.loop || !visited.emplace(node.device, node.inode).second) {
            pool.discardBelow(node);
            pool.release(node);
            continue;
        }
        addFiles(col, node, distinct);
        pool.release(node);
        for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
            pending.push_back(it->get());
    }
    return report;
}

} // namespace ardl
