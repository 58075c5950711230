#pragma once

#include <QString>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace ardl {

// A byte buffer whose growth leaves the new bytes as they are: they are
// always written before they are read.
template <typename T>
struct UninitializedAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = UninitializedAllocator<U>;
    };
    UninitializedAllocator() = default;
    template <typename U>
    UninitializedAllocator(const UninitializedAllocator<U> &) {}
    template <typename U>
    void construct(U *p) noexcept
    {
        ::new (static_cast<void *>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U *p, Args &&...args)
    {
        ::new (static_cast<void *>(p)) U(std::forward<Args>(args)...);
    }
};
using Bytes = std::vector<unsigned char, UninitializedAllocator<unsigned char>>;

// Compresses the files of one archive write on every core. Each file is cut
// into parts of ChunkSize bytes; every part is deflated on its own, primed
// with the 32 KiB before it so the ratio stays that of one stream, and ended
// on a byte boundary, so the parts laid end to end are one deflate stream.
// The archive writer reads the files back one after the other, in the order
// they were added, while the workers stay a few parts ahead of it.
//
// prepare() reads and compresses the first part of every file and decides
// whether deflate pays: a file whose first part does not shrink is stored.
// Then start() sets the workers on the remaining parts, and the writer reads
// each file with open(), read() and close().
class DeflatePipeline {
public:
    static constexpr qint64 ChunkSize = qint64(1) << 20;

    // threads 0: one per core.
    explicit DeflatePipeline(int threads = 0);
    ~DeflatePipeline();
    DeflatePipeline(const DeflatePipeline &) = delete;
    DeflatePipeline &operator=(const DeflatePipeline &) = delete;

    // Adds a file: level 0 stores it, 1 to 9 deflate it. Returns its number.
    int addJob(const QString &path, int level);
    int jobCount() const { return int(m_jobs.size()); }

    void prepare();
    // After prepare(): whether the file could be read, why not, and how it
    // goes into the archive.
    bool failed(int job) const;
    QString error(int job) const;
    bool stored(int job) const;
    qint64 size(int job) const;
    qint64 modifiedSecs(int job) const;
    quint32 mode(int job) const;

    // `readOrder`: the jobs in the order the writer will read them.
    void start(const std::vector<int> &readOrder);
    // The data of a job as it goes into the archive: deflated, or as it is
    // for a stored file. Jobs are read one at a time.
    bool open(int job, QString *error);
    // Bytes copied, 0 at the end, -1 on a read failure (error set).
    qint64 read(int job, char *buffer, qint64 max, QString *error);
    void close(int job);
    // For a deflated job read to its end: CRC-32 of the file's bytes and the
    // size of the deflate stream.
    quint32 crc(int job) const;
    qint64 compressedSize(int job) const;

    // Stops the workers; called by the destructor.
    void stop();

private:
    struct Job;
    struct Task;
    void prepareJob(Job &job);
    void runTask(Task &task);
    void workerLoop();
    bool waitForTask(int taskIndex, QString *error);
    qint64 readStored(Job &job, char *buffer, qint64 max, QString *error);
    qint64 readDeflated(Job &job, char *buffer, qint64 max, QString *error);

    int m_threads;
    std::vector<std::unique_ptr<Job>> m_jobs;
    std::vector<std::unique_ptr<Task>> m_tasks;
    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_workAvailable;   // the window moved
    std::condition_variable m_taskDone;
    size_t m_nextTask = 0;       // the next task a worker takes
    size_t m_consumed = 0;       // tasks the reader is done with
    size_t m_window = 0;         // how far the workers may run ahead
    bool m_stopping = false;
    std::atomic<qint64> m_keptBytes {0};   // first parts held by prepare()
};

} // namespace ardl
