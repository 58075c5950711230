#include "ZipReader.h"

#include "ZipLayout.h"
#include "ZipListing.h"

#include "common/core/StringTable.h"
#include "common/core/modString.h"

#include <zip.h>

#include <QFile>

#include <algorithm>
#include <limits>
#include <memory>

namespace ardl {

namespace {

constexpr zip_uint64_t ReadBufferSize = 256 * 1024;
constexpr int MsgLongerThanListed = 4312;

// Errors of data that does not decode as it claims.
bool IsDataError(int zipCode)
{
    switch (zipCode) {
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
        return true;
    default:
        return false;
    }
}

} // namespace

ZipReader::ZipReader() = default;

ZipReader::~ZipReader()
{
    close();
}

bool ZipReader::open(const QString &path, bool list)
{
    close();
    int code = 0;
    m_za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!m_za) {
        m_error = ZipErrorText(code, errno);
        return false;
    }
    if (list) {
        QString why;
        if (!EntriesLieApart(path, &why)) {
            close();
            m_error = why;
            return false;
        }
        m_entries = ListEntries(m_za);
    }
    return true;
}

void ZipReader::close()
{
    if (m_za)
        zip_discard(m_za);
    m_za = nullptr;
    m_entries.clear();
}

QByteArray ZipReader::rawComment() const
{
    if (!m_za)
        return {};
    int length = 0;
    const char *text = zip_get_archive_comment(m_za, &length, ZIP_FL_ENC_RAW);
    return text ? QByteArray(text, length) : QByteArray();
}

bool ZipReader::isEncrypted(qint64 index) const
{
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), index,
                                     [](const ZipEntry &e, qint64 i) { return e.index < i; });
    return it != m_entries.end() && it->index == index && it->encrypted;
}

ZipReader::ReadResult ZipReader::readEntry(qint64 index, const QByteArray &password, const Sink &sink, QString *error)
{
    if (!m_za || index < 0)
        return ReadResult::Failed;
    zip_error_clear(m_za);
    zip_file_t *file = zip_fopen_index_encrypted(m_za, zip_uint64_t(index), 0,
                                                 password.isEmpty() ? nullptr : password.constData());
    if (!file) {
        const int code = zip_error_code_zip(zip_get_error(m_za));
        *error = ArchiveErrorText(m_za);
        if (code == ZIP_ER_NOPASSWD)
            return ReadResult::NeedsPassword;
        if (code == ZIP_ER_WRONGPASSWD)
            return ReadResult::WrongPassword;
        return ReadResult::Failed;
    }
    // An entry gives no more than the size it lists, whatever its data
    // inflates to: the listing is what the user agreed to.
    zip_stat_t st;
    zip_uint64_t left = std::numeric_limits<zip_uint64_t>::max();
    if (zip_stat_index(m_za, zip_uint64_t(index), 0, &st) == 0 && (st.valid & ZIP_STAT_SIZE))
        left = st.size;
    if (!m_buffer)
        m_buffer.reset(new char[ReadBufferSize]);
    ReadResult result = ReadResult::Ok;
    for (;;) {
        // One byte more than may come, to see whether more comes.
        const zip_uint64_t want = left < ReadBufferSize ? left + 1 : ReadBufferSize;
        const zip_int64_t n = zip_fread(file, m_buffer.get(), want);
        if (n == 0)
            break;
        if (n < 0) {
            const zip_error_t *fileError = zip_file_get_error(file);
            *error = ZipErrorText(fileError);
            // The traditional password check holds one byte: a wrong password
            // passes it once in 256 times and then decrypts to noise, which
            // fails to inflate or fails the CRC check at the end.
            result = isEncrypted(index) && IsDataError(zip_error_code_zip(fileError)) ? ReadResult::WrongPassword
                                                                                      : ReadResult::Failed;
            break;
        }
        if (zip_uint64_t(n) > left) {
            *error = FormatString(LoadResString(MsgLongerThanListed), qint64(st.size));
            result = ReadResult::Failed;
            break;
        }
        left -= zip_uint64_t(n);
        if (!sink(m_buffer.get(), n)) {
            result = ReadResult::Stopped;
            break;
        }
    }
    zip_fclose(file);
    return result;
}

} // namespace ardl
