#include "DeflatePipeline.h"

#include "common/core/FileRenamer.h"

#include <zlib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

namespace ardl {

namespace {

constexpr qint64 DictionarySize = 32 * 1024;
// Deflated first parts kept from prepare() for the writer, at most.
constexpr qint64 KeptBudget = qint64(256) << 20;

QString ShrankText()
{
    return QStringLiteral("the file got shorter while it was being read");
}

// Reads exactly `length` bytes at `offset`.
bool ReadFully(int fd, unsigned char *buffer, qint64 length, qint64 offset, QString *error)
{
    while (length > 0) {
        const ssize_t n = ::pread(fd, buffer, size_t(std::min<qint64>(length, qint64(1) << 30)), off_t(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *error = ErrorText(errno);
            return false;
        }
        if (n == 0) {
            *error = ShrankText();
            return false;
        }
        buffer += n;
        length -= n;
        offset += n;
    }
    return true;
}

// One deflate state per thread, kept from part to part: setting one up
// costs more than deflating a small file.
class Deflater {
public:
    ~Deflater()
    {
        if (m_level >= 0)
            deflateEnd(&m_z);
    }
    z_stream *start(int level)
    {
        if (m_level == level) {
            deflateReset(&m_z);
            return &m_z;
        }
        if (m_level >= 0)
            deflateEnd(&m_z);
        m_z = z_stream {};
        m_level = deflateInit2(&m_z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) == Z_OK ? level : -1;
        return m_level >= 0 ? &m_z : nullptr;
    }

private:
    z_stream m_z {};
    int m_level = -1;
};

// Deflates `length` bytes of the file at `offset`, primed with the bytes
// before them; the last part finishes the stream, the others end on a byte
// boundary with an empty stored block so that the next part can follow.
bool DeflatePart(int fd, int level, qint64 offset, qint64 length, bool last, Bytes &out, uLong &crc,
                 QString *error)
{
    thread_local Deflater deflater;
    thread_local Bytes in;
    const qint64 dictionary = std::min(offset, DictionarySize);
    in.resize(size_t(dictionary + length));
    if (!ReadFully(fd, in.data(), qint64(in.size()), offset - dictionary, error))
        return false;
    unsigned char *data = in.data() + dictionary;
    crc = crc32(0L, data, uInt(length));

    z_stream *z = deflater.start(level);
    if (!z) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    if (dictionary > 0)
        deflateSetDictionary(z, in.data(), uInt(dictionary));
    out.resize(size_t(deflateBound(z, uLong(length)) + 64));
    z->next_in = data;
    z->avail_in = uInt(length);
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    for (;;) {
        z->next_out = out.data() + z->total_out;
        z->avail_out = uInt(out.size() - z->total_out);
        const int rc = deflate(z, flush);
        if (rc == Z_STREAM_END || (rc == Z_OK && z->avail_in == 0 && z->avail_out > 0 && !last))
            break;
        if (rc != Z_OK && rc != Z_BUF_ERROR) {
            *error = QStringLiteral("compression failed");
            return false;
        }
        out.resize(out.size() * 2);
    }
    out.resize(z->total_out);
    out.shrink_to_fit();
    return true;
}

// Opens a file to be read without waiting: opening a named pipe (a FIFO)
// waits until some program writes into it, which may be never. Reads of a
// regular file are the same either way; anything else is refused once it is
// open.
int OpenToRead(const QByteArray &path)
{
    return ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

class FileHandle {
public:
    explicit FileHandle(const QByteArray &path) : fd(OpenToRead(path)) {}
    ~FileHandle()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileHandle(const FileHandle &) = delete;
    FileHandle &operator=(const FileHandle &) = delete;
    int fd;
};

} // namespace

struct DeflatePipeline::Job {
    QString path;
    QByteArray nativePath;
    int level = 0;
    bool failed = false;
    QString error;
    bool stored = true;
    qint64 size = 0;
    qint64 modifiedSecs = 0;
    quint32 mode = 0;
    // The first part as prepare() deflated it, while the budget allowed.
    Bytes firstOut;
    uLong firstCrc = 0;
    bool firstKept = false;
    size_t firstTask = 0;
    size_t taskCount = 0;
    // Reading.
    int fd = -1;
    qint64 position = 0;
    size_t current = 0;       // part being read
    size_t outPosition = 0;
    uLong crc = 0;
    qint64 compressedSize = 0;
};

struct DeflatePipeline::Task {
    enum State { Pending, Running, Done };
    Job *job = nullptr;
    qint64 offset = 0;
    qint64 length = 0;
    bool last = false;
    State state = Pending;
    Bytes out;
    uLong crc = 0;
    bool failed = false;
    QString error;
};

DeflatePipeline::DeflatePipeline(int threads)
    : m_threads(threads > 0 ? threads : std::max(1, int(std::thread::hardware_concurrency())))
{
}

DeflatePipeline::~DeflatePipeline()
{
    stop();
    for (auto &job : m_jobs) {
        if (job->fd >= 0)
            ::close(job->fd);
    }
}

int DeflatePipeline::addJob(const QString &path, int level)
{
    auto job = std::make_unique<Job>();
    job->path = path;
    job->nativePath = path.toLocal8Bit();
    job->level = std::clamp(level, 0, 9);
    m_jobs.push_back(std::move(job));
    return int(m_jobs.size()) - 1;
}

void DeflatePipeline::prepareJob(Job &job)
{
    FileHandle file(job.nativePath);
    struct stat st {};
    if (file.fd < 0 || ::fstat(file.fd, &st) != 0) {
        job.failed = true;
        job.error = ErrorText(errno);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        job.failed = true;
        job.error = S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder") : QStringLiteral("it is not a regular file");
        return;
    }
    job.size = qint64(st.st_size);
    job.modifiedSecs = qint64(st.st_mtim.tv_sec);
    job.mode = quint32(st.st_mode);
    job.stored = job.level == 0 || job.size == 0;
    if (job.stored)
        return;

    const qint64 length = std::min(job.size, ChunkSize);
    Bytes out;
    uLong crc = 0;
    if (!DeflatePart(file.fd, job.level, 0, length, length == job.size, out, crc, &job.error)) {
        job.failed = true;
        return;
    }
    // Deflate pays only when the data shrinks; otherwise the file is stored.
    job.stored = qint64(out.size()) >= length;
    if (job.stored)
        return;
    // Small files are then done; a large one gives its first part again.
    if (m_keptBytes.fetch_add(qint64(out.size())) + qint64(out.size()) <= KeptBudget) {
        job.firstOut = std::move(out);
        job.firstCrc = crc;
        job.firstKept = true;
    }
}

void DeflatePipeline::prepare()
{
    std::atomic<size_t> next {0};
    auto work = [&] {
        for (size_t i = next++; i < m_jobs.size(); i = next++)
            prepareJob(*m_jobs[i]);
    };
    const int helpers = std::min<int>(m_threads, int(m_jobs.size())) - 1;
    std::vector<std::thread> threads;
    for (int i = 0; i < helpers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread &t : threads)
        t.join();
}

bool DeflatePipeline::failed(int job) const { return m_jobs[size_t(job)]->failed; }
QString DeflatePipeline::error(int job) const { return m_jobs[size_t(job)]->error; }
bool DeflatePipeline::stored(int job) const { return m_jobs[size_t(job)]->stored; }
qint64 DeflatePipeline::size(int job) const { return m_jobs[size_t(job)]->size; }
qint64 DeflatePipeline::modifiedSecs(int job) const { return m_jobs[size_t(job)]->modifiedSecs; }
quint32 DeflatePipeline::mode(int job) const { return m_jobs[size_t(job)]->mode; }
quint32 DeflatePipeline::crc(int job) const { return quint32(m_jobs[size_t(job)]->crc); }
qint64 DeflatePipeline::compressedSize(int job) const { return m_jobs[size_t(job)]->compressedSize; }

void DeflatePipeline::start(const std::vector<int> &readOrder)
{
    for (int jobIndex : readOrder) {
        Job &job = *m_jobs[size_t(jobIndex)];
        if (job.failed || job.stored)
            continue;
        job.firstTask = m_tasks.size();
        job.taskCount = size_t((job.size + ChunkSize - 1) / ChunkSize);
        for (size_t k = 0; k < job.taskCount; ++k) {
            auto task = std::make_unique<Task>();
            task->job = &job;
            task->offset = qint64(k) * ChunkSize;
            task->length = std::min(ChunkSize, job.size - task->offset);
            task->last = k + 1 == job.taskCount;
            if (k == 0 && job.firstKept) {
                task->out = std::move(job.firstOut);
                task->crc = job.firstCrc;
                task->state = Task::Done;
            }
            m_tasks.push_back(std::move(task));
        }
    }
    m_window = size_t(2 * m_threads + 2);
    if (m_tasks.empty())
        return;
    for (int i = 0; i < m_threads; ++i)
        m_workers.emplace_back([this] { workerLoop(); });
}

void DeflatePipeline::runTask(Task &task)
{
    FileHandle file(task.job->nativePath);
    if (file.fd < 0) {
        task.failed = true;
        task.error = ErrorText(errno);
        return;
    }
    task.failed = !DeflatePart(file.fd, task.job->level, task.offset, task.length, task.last, task.out,
                               task.crc, &task.error);
}

void DeflatePipeline::workerLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_workAvailable.wait(lock, [this] {
            return m_stopping || (m_nextTask < m_tasks.size() && m_nextTask < m_consumed + m_window);
        });
        if (m_stopping)
            return;
        Task &task = *m_tasks[m_nextTask++];
        if (task.state != Task::Pending)
            continue;
        task.state = Task::Running;
        lock.unlock();
        runTask(task);
        lock.lock();
        task.state = Task::Done;
        m_taskDone.notify_all();
    }
}

bool DeflatePipeline::waitForTask(int taskIndex, QString *error)
{
    Task &task = *m_tasks[size_t(taskIndex)];
    std::unique_lock lock(m_mutex);
    while (task.state != Task::Done) {
        if (task.state == Task::Pending) {
            // The workers have not come to it: do it here rather than wait.
            task.state = Task::Running;
            lock.unlock();
            runTask(task);
            lock.lock();
            task.state = Task::Done;
            break;
        }
        m_taskDone.wait(lock);
    }
    if (task.failed)
        *error = task.error;
    return !task.failed;
}

bool DeflatePipeline::open(int jobIndex, QString *error)
{
    Job &job = *m_jobs[size_t(jobIndex)];
    job.current = 0;
    job.outPosition = 0;
    job.position = 0;
    job.crc = crc32(0L, Z_NULL, 0);
    job.compressedSize = 0;
    if (!job.stored)
        return true;
    job.fd = OpenToRead(job.nativePath);
    if (job.fd < 0) {
        *error = ErrorText(errno);
        return false;
    }
    return true;
}

qint64 DeflatePipeline::read(int jobIndex, char *buffer, qint64 max, QString *error)
{
    Job &job = *m_jobs[size_t(jobIndex)];
    return job.stored ? readStored(job, buffer, max, error) : readDeflated(job, buffer, max, error);
}

qint64 DeflatePipeline::readStored(Job &job, char *buffer, qint64 max, QString *error)
{
    const qint64 wanted = std::min(max, job.size - job.position);
    if (wanted <= 0)
        return 0;
    for (;;) {
        const ssize_t n = ::read(job.fd, buffer, size_t(wanted));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = ErrorText(errno);
            return -1;
        }
        if (n == 0) {
            *error = ShrankText();
            return -1;
        }
        job.position += n;
        return n;
    }
}

qint64 DeflatePipeline::readDeflated(Job &job, char *buffer, qint64 max, QString *error)
{
    qint64 copied = 0;
    while (copied < max && job.current < job.taskCount) {
        const size_t taskIndex = job.firstTask + job.current;
        if (!waitForTask(int(taskIndex), error))
            return -1;
        Task &task = *m_tasks[taskIndex];
        const size_t n = std::min(size_t(max - copied), task.out.size() - job.outPosition);
        std::memcpy(buffer + copied, task.out.data() + job.outPosition, n);
        copied += qint64(n);
        job.outPosition += n;
        if (job.outPosition == task.out.size()) {
            job.crc = crc32_combine(job.crc, task.crc, z_off_t(task.length));
            job.compressedSize += qint64(task.out.size());
            Bytes().swap(task.out);
            ++job.current;
            job.outPosition = 0;
            std::lock_guard lock(m_mutex);
            m_consumed = std::max(m_consumed, taskIndex + 1);
            m_workAvailable.notify_one();
        }
    }
    return copied;
}

void DeflatePipeline::close(int jobIndex)
{
    Job &job = *m_jobs[size_t(jobIndex)];
    if (job.fd >= 0) {
        ::close(job.fd);
        job.fd = -1;
    }
}

void DeflatePipeline::stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workAvailable.notify_all();
    for (std::thread &t : m_workers)
        t.join();
    m_workers.clear();
}

} // namespace ardl
