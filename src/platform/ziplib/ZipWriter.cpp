#include "ZipWriter.h"

#include "ArchiveFile.h"
#include "DeflatePipeline.h"
#include "ZipLayout.h"
#include "ZipListing.h"

#include <zip.h>

#include <QFile>

#include <algorithm>
#include <cerrno>

namespace ardl {

namespace {

constexpr zip_uint16_t ExtendedTimestampId = 0x5455;
// Extra fields that hold a file's times: the extended timestamp, the NTFS
// times and the older Unix times.
constexpr zip_uint16_t TimeFieldIds[] = {ExtendedTimestampId, 0x000A, 0x5855};

} // namespace

// One queued file: the libzip source that reads it through the pipeline.
struct ZipWriter::Source {
    explicit Source(const AddRequest &request)
        : request(request)
    {
        zip_error_init(&error);
    }
    DeflatePipeline *pipeline = nullptr;
    KeepAlive *keepAlive = nullptr;
    int job = -1;
    zip_int64_t index = -1;
    AddRequest request;
    bool prepared = false;
    bool readToEnd = false;
    bool written = false;
    zip_error_t error;
    QString reason; // why reading the file failed during the write

    ~Source() { zip_error_fini(&error); }
    static zip_int64_t callback(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command);
    zip_int64_t fail(const QString &text)
    {
        zip_error_set(&error, ZIP_ER_READ, EIO);
        reason = text;
        return -1;
    }
};

zip_int64_t ZipWriter::Source::callback(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto *s = static_cast<Source *>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN: {
        s->readToEnd = false;
        QString why;
        if (!s->pipeline->open(s->job, &why))
            return s->fail(why);
        return 0;
    }
    case ZIP_SOURCE_READ: {
        (*s->keepAlive)();
        QString why;
        const qint64 n = s->pipeline->read(s->job, static_cast<char *>(data),
                                           qint64(std::min<zip_uint64_t>(length, zip_uint64_t(1) << 30)), &why);
        if (n < 0)
            return s->fail(why);
        if (n == 0)
            s->readToEnd = true;
        return n;
    }
    case ZIP_SOURCE_CLOSE:
        s->pipeline->close(s->job);
        return 0;
    case ZIP_SOURCE_STAT: {
        auto *st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &s->error);
        if (!st)
            return -1;
        zip_stat_init(st);
        if (!s->prepared)
            return sizeof(*st);
        const bool stored = s->pipeline->stored(s->job);
        st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME | ZIP_STAT_COMP_METHOD;
        st->size = zip_uint64_t(s->pipeline->size(s->job));
        st->mtime = time_t(s->pipeline->modifiedSecs(s->job));
        st->comp_method = stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE;
        if (!stored && s->readToEnd) {
            st->valid |= ZIP_STAT_CRC | ZIP_STAT_COMP_SIZE;
            st->crc = s->pipeline->crc(s->job);
            st->comp_size = zip_uint64_t(s->pipeline->compressedSize(s->job));
        }
        return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&s->error, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        zip_error_set(&s->error, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}

ZipWriter::ZipWriter(int threads)
    : m_threads(threads)
    , m_pipeline(std::make_unique<DeflatePipeline>(threads))
{
}

ZipWriter::~ZipWriter()
{
    discard();
}

bool ZipWriter::open(const QString &path, bool startEmpty)
{
    discard();
    m_sources.clear();
    m_failures.clear();
    m_pipeline = std::make_unique<DeflatePipeline>(m_threads);
    m_startEmpty = startEmpty;
    m_otherChanges = false;
    zip_error_t error;
    zip_error_init(&error);
    m_za = OpenArchiveFile(path, ZIP_CREATE | (startEmpty ? ZIP_TRUNCATE : 0), &error);
    if (!m_za) {
        m_error = ZipErrorText(&error);
        zip_error_fini(&error);
        return false;
    }
    zip_error_fini(&error);
    // Changing an archive whose entries share their data would copy that
    // data out for each of them.
    QString why;
    if (!startEmpty && !EntriesLieApart(path, &why)) {
        discard();
        m_error = why;
        return false;
    }
    m_entries = ListEntries(m_za);
    return true;
}

QByteArray ZipWriter::rawComment() const
{
    if (!m_za)
        return {};
    int length = 0;
    const char *text = zip_get_archive_comment(m_za, &length, ZIP_FL_ENC_RAW | ZIP_FL_UNCHANGED);
    return text ? QByteArray(text, length) : QByteArray();
}

int ZipWriter::add(const AddRequest &request)
{
    if (!m_za)
        return -1;
    auto source = std::make_unique<Source>(request);
    source->pipeline = m_pipeline.get();
    source->keepAlive = &m_keepAlive;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *zs = zip_source_function_create(&Source::callback, source.get(), &error);
    if (!zs) {
        m_error = ZipErrorText(&error);
        zip_error_fini(&error);
        return -1;
    }
    zip_error_fini(&error);
    if (request.replaceIndex >= 0) {
        if (zip_file_replace(m_za, zip_uint64_t(request.replaceIndex), zs, 0) < 0) {
            m_error = ArchiveErrorText(m_za);
            zip_source_free(zs);
            return -1;
        }
        source->index = request.replaceIndex;
    } else {
        source->index = zip_file_add(m_za, request.entryName.toUtf8().constData(), zs, ZIP_FL_ENC_UTF_8);
        if (source->index < 0) {
            m_error = ArchiveErrorText(m_za);
            zip_source_free(zs);
            return -1;
        }
    }
    source->job = m_pipeline->addJob(request.localPath, request.level);
    m_sources.push_back(std::move(source));
    return int(m_sources.size()) - 1;
}

bool ZipWriter::remove(qint64 index)
{
    if (!m_za || zip_delete(m_za, zip_uint64_t(index)) < 0) {
        m_error = m_za ? ArchiveErrorText(m_za) : QString();
        return false;
    }
    m_otherChanges = true;
    return true;
}

bool ZipWriter::setComment(const QByteArray &comment)
{
    if (!m_za)
        return false;
    if (comment.size() > 0xFFFF) {
        m_error = QStringLiteral("the comment is longer than 65535 bytes");
        return false;
    }
    if (zip_set_archive_comment(m_za, comment.constData(), zip_uint16_t(comment.size())) < 0) {
        m_error = ArchiveErrorText(m_za);
        return false;
    }
    m_otherChanges = true;
    return true;
}

void ZipWriter::leaveOut(Source &source)
{
    m_failures.push_back({source.request.localPath, m_pipeline->error(source.job)});
    if (source.request.replaceIndex >= 0)
        zip_unchange(m_za, zip_uint64_t(source.index));
    else
        zip_delete(m_za, zip_uint64_t(source.index));
    source.index = -1;
}

// Gives libzip what it needs to know of a prepared file before it writes it.
bool ZipWriter::settle(Source &source)
{
    const zip_uint64_t index = zip_uint64_t(source.index);
    const int job = source.job;
    const bool stored = m_pipeline->stored(job);
    source.prepared = true;
    if (zip_set_file_compression(m_za, index, stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                 zip_uint32_t(stored ? 0 : source.request.level))
        < 0)
        return false;
    const zip_uint32_t mode = m_pipeline->mode(job) & 0xFFFF;
    if (zip_file_set_external_attributes(m_za, index, 0, ZIP_OPSYS_UNIX, mode << 16) < 0)
        return false;
    // A replaced entry would keep its encryption too, and want a password
    // the run does not have: the new data is encrypted as this run says.
    if (!source.request.password.isEmpty()
            ? zip_file_set_encryption(m_za, index, ZIP_EM_TRAD_PKWARE, source.request.password.constData()) < 0
            : source.request.replaceIndex >= 0 && zip_file_set_encryption(m_za, index, ZIP_EM_NONE, nullptr) < 0)
        return false;
    // A replaced entry keeps its extra fields: the times they hold are those
    // of the file it held before, and readers take them over the DOS time.
    if (source.request.replaceIndex >= 0) {
        for (const zip_uint16_t id : TimeFieldIds) {
            if (zip_file_extra_fields_count_by_id(m_za, index, id, ZIP_FL_LOCAL | ZIP_FL_CENTRAL) > 0
                && zip_file_extra_field_delete_by_id(m_za, index, id, ZIP_EXTRA_FIELD_ALL,
                                                     ZIP_FL_LOCAL | ZIP_FL_CENTRAL)
                       < 0)
                return false;
        }
    }
    if (source.request.extendedTime) {
        const quint32 secs = quint32(m_pipeline->modifiedSecs(job));
        const zip_uint8_t field[5] = {1, zip_uint8_t(secs), zip_uint8_t(secs >> 8), zip_uint8_t(secs >> 16),
                                      zip_uint8_t(secs >> 24)};
        if (zip_file_extra_field_set(m_za, index, ExtendedTimestampId, ZIP_EXTRA_FIELD_NEW, field, sizeof field,
                                     ZIP_FL_LOCAL | ZIP_FL_CENTRAL)
            < 0)
            return false;
    }
    return true;
}

bool ZipWriter::commit()
{
    if (!m_za)
        return false;
    m_pipeline->prepare();
    std::vector<Source *> order;
    for (auto &source : m_sources) {
        if (m_pipeline->failed(source->job)) {
            leaveOut(*source);
            continue;
        }
        if (!settle(*source)) {
            m_error = ArchiveErrorText(m_za);
            discard();
            return false;
        }
        order.push_back(source.get());
    }
    if (m_startEmpty && order.empty() && !m_otherChanges) {
        // Nothing to put in its place: the old archive stays.
        discard();
        return true;
    }
    // libzip writes the entries in archive order; the workers follow it.
    std::sort(order.begin(), order.end(), [](const Source *a, const Source *b) { return a->index < b->index; });
    std::vector<int> jobs;
    for (const Source *source : order)
        jobs.push_back(source->job);
    m_pipeline->start(jobs);

    if (zip_close(m_za) < 0) {
        m_error = ArchiveErrorText(m_za);
        for (const auto &source : m_sources) {
            if (!source->reason.isEmpty())
                m_error = source->request.localPath + QStringLiteral(": ") + source->reason;
        }
        discard();
        return false;
    }
    m_za = nullptr;
    m_pipeline->stop();
    for (Source *source : order)
        source->written = true;
    return true;
}

bool ZipWriter::added(int number) const
{
    return number >= 0 && size_t(number) < m_sources.size() && m_sources[size_t(number)]->written;
}

void ZipWriter::discard()
{
    if (m_za)
        zip_discard(m_za);
    m_za = nullptr;
    m_pipeline->stop();
}

} // namespace ardl
