// The folder scan proper, behind ScanFolderTree: sub-folders are read on a
// small pool of threads and their listings stitched back in the order a
// single depth-first walk gives, so the result never depends on timing.
#include "modFindFile.h"

#include "FolderReader.h"
#include "modFile.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

namespace ardl {

namespace {

// Threads that read folders, the calling one included.
constexpr unsigned MaxReaders = 4;

// One folder of the tree and, once read, what it holds.
struct WalkNode {
    ListedFolder folder;
    const WalkNode *parent = nullptr;
    FolderListing listing;
    std::vector<std::unique_ptr<WalkNode>> children;   // in name order
    std::exception_ptr failure;
    bool loop = false;   // the same folder as one above it (a bind mount inside itself)
    bool done = false;   // read; guarded by the pool's mutex once the pool has it
};

// Folders waiting to be read, and the threads that read them. A folder's
// sub-folders are queued as soon as it has been read; the thread that
// stitches the result waits for the folder it needs next and reads queued
// folders itself meanwhile.
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

    // Reads `node` on the calling thread and makes its children.
    static void read(WalkNode &node, FolderReader &reader)
    {
        try {
            reader.read(node.folder, node.parent == nullptr, true, node.listing);
            if (node.listing.error == 0 && repeatsAncestor(node)) {
                node.loop = true;
                node.listing.files.clear();
            } else {
                node.children.reserve(node.listing.folders.size());
                for (ListedFolder &f : node.listing.folders) {
                    auto child = std::make_unique<WalkNode>();
                    child->folder = std::move(f);
                    child->parent = &node;
                    node.children.push_back(std::move(child));
                }
            }
            node.listing.folders.clear();
        } catch (...) {
            node.failure = std::current_exception();
            node.children.clear();
        }
    }

    // Queues the children of a node read outside the pool and starts the
    // threads that help.
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
                break;   // no more threads to be had: the others do the work
            }
        }
    }

    // Returns once `node` has been read, reading queued folders meanwhile.
    void waitFor(const WalkNode &node, FolderReader &reader)
    {
        std::unique_lock lock(m_mutex);
        while (!node.done) {
            if (m_queue.empty()) {
                m_finished.wait(lock);
                continue;
            }
            WalkNode *next = m_queue.back();
            m_queue.pop_back();
            lock.unlock();
            read(*next, reader);
            lock.lock();
            finish(*next);
        }
    }

private:
    static bool repeatsAncestor(const WalkNode &node)
    {
        for (const WalkNode *up = node.parent; up; up = up->parent)
            if (up->listing.device == node.listing.device && up->listing.inode == node.listing.inode)
                return true;
        return false;
    }

    // With the lock held. The first child goes on top, so that folders are
    // read roughly in the order they are needed.
    void queueChildren(WalkNode &node)
    {
        for (auto it = node.children.rbegin(); it != node.children.rend(); ++it)
            m_queue.push_back(it->get());
    }

    // With the lock held.
    void finish(WalkNode &node)
    {
        queueChildren(node);
        node.done = true;
        if (!node.children.empty())
            m_work.notify_all();
        m_finished.notify_all();
    }

    void help()
    {
        std::unique_ptr<FolderReader> reader;
        try {
            reader = std::make_unique<FolderReader>(m_mask);
        } catch (...) {
            return;   // the stitching thread reads on its own
        }
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_work.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                return;
            WalkNode *next = m_queue.back();
            m_queue.pop_back();
            lock.unlock();
            read(*next, *reader);
            lock.lock();
            finish(*next);
        }
    }

    const QString m_mask;
    std::mutex m_mutex;
    std::condition_variable m_work;       // a folder was queued, or the pool stops
    std::condition_variable m_finished;   // a folder has been read
    std::vector<WalkNode *> m_queue;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};

// The files of the folders walked, in order, handed to the collection at
// the end in one piece.
class WalkResult {
public:
    void add(std::vector<clsFile> &files)
    {
        m_count += files.size();
        m_parts.push_back(std::move(files));
    }

    // A scan lists every path once, so into an empty collection its files go
    // without being looked up one by one.
    void moveInto(colFile &col)
    {
        if (col.Count() > 0) {
            for (std::vector<clsFile> &part : m_parts)
                for (clsFile &f : part)
                    col.Add(std::move(f));   // a file already there is simply skipped
            return;
        }
        std::vector<clsFile> all;
        all.reserve(m_count);
        for (std::vector<clsFile> &part : m_parts)
            all.insert(all.end(), std::make_move_iterator(part.begin()), std::make_move_iterator(part.end()));
        m_parts.clear();
        col.AppendDistinct(std::move(all));
    }

private:
    std::vector<std::vector<clsFile>> m_parts;
    size_t m_count = 0;
};

unsigned helperThreads()
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return std::min(cores, MaxReaders) - 1;
}

} // namespace

ScanReport ScanFolderTree(colFile &col, ScanOptions &opt)
{
    ScanReport report;
    if (opt.Path.isEmpty())
        return report;   // never the process's current folder by accident
    const QString top = AddBackslash(opt.Path);
    WalkNode root;
    root.folder = ListedFolder{top, top.toUtf8(), true};
    FolderReader reader(opt.Mask);
    ReaderPool::read(root, reader);
    if (root.failure)
        std::rethrow_exception(root.failure);
    if (root.listing.error != 0) {
        report.unreadable.push_back({top, root.listing.error});
        return report;
    }
    WalkResult result;
    result.add(root.listing.files);
    if (root.children.empty() || !opt.Recursive) {
        // The sub-folders are still named in turn: the last one stays in Path.
        if (!root.children.empty())
            opt.Path = root.children.back()->folder.path.chopped(1);
        result.moveInto(col);
        return report;
    }

    ReaderPool pool(opt.Mask);
    pool.start(root, helperThreads());
    std::set<std::pair<dev_t, ino_t>> visited{{root.listing.device, root.listing.inode}};
    std::vector<WalkNode *> pending;
    for (auto it = root.children.rbegin(); it != root.children.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        WalkNode *node = pending.back();
        pending.pop_back();
        opt.Path = node->folder.path.chopped(1);
        pool.waitFor(*node, reader);
        if (node->failure)
            std::rethrow_exception(node->failure);
        if (node->listing.error != 0) {
            report.unreadable.push_back({node->folder.path, node->listing.error});
            continue;
        }
        // A folder reached a second time (a bind mount) is walked once.
        if (node->loop || !visited.emplace(node->listing.device, node->listing.inode).second)
            continue;
        result.add(node->listing.files);
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it)
            pending.push_back(it->get());
    }
    result.moveInto(col);
    return report;
}

} // namespace ardl
