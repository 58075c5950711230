#include "ZipListing.h"

#include "common/core/LocalTime.h"
#include "common/core/StringTable.h"

#include <zip.h>

#include <sys/stat.h>

#include <QStringDecoder>

#include <algorithm>

namespace ardl {

namespace {

constexpr int MsgChangedMeanwhile = 4314;

constexpr zip_uint16_t ExtendedTimestampId = 0x5455;

// The modification time of an entry's extended timestamp ("UT" field of the
// central directory), when it has one.
bool ExtendedModTime(zip *za, zip_uint64_t index, qint64 &secs)
{
    zip_uint16_t length = 0;
    const zip_uint8_t *data =
        zip_file_extra_field_get_by_id(za, index, ExtendedTimestampId, 0, &length, ZIP_FL_CENTRAL);
    if (!data || length < 5 || !(data[0] & 1))
        return false;
    secs = qint64(quint32(data[1]) | quint32(data[2]) << 8 | quint32(data[3]) << 16 | quint32(data[4]) << 24);
    return true;
}

// Code page 437, bytes 128 to 255, as unzip on DOS archives reads them.
const char16_t Cp437High[128] = {
    u'Ç', u'ü', u'é', u'â', u'ä', u'à', u'å', u'ç', u'ê', u'ë', u'è', u'ï', u'î', u'ì', u'Ä', u'Å',
    u'É', u'æ', u'Æ', u'ô', u'ö', u'ò', u'û', u'ù', u'ÿ', u'Ö', u'Ü', u'¢', u'£', u'¥', u'₧', u'ƒ',
    u'á', u'í', u'ó', u'ú', u'ñ', u'Ñ', u'ª', u'º', u'¿', u'⌐', u'¬', u'½', u'¼', u'¡', u'«', u'»',
    u'░', u'▒', u'▓', u'│', u'┤', u'╡', u'╢', u'╖', u'╕', u'╣', u'║', u'╗', u'╝', u'╜', u'╛', u'┐',
    u'└', u'┴', u'┬', u'├', u'─', u'┼', u'╞', u'╟', u'╚', u'╔', u'╩', u'╦', u'╠', u'═', u'╬', u'╧',
    u'╨', u'╤', u'╥', u'╙', u'╘', u'╒', u'╓', u'╫', u'╪', u'┘', u'┌', u'█', u'▄', u'▌', u'▐', u'▀',
    u'α', u'ß', u'Γ', u'π', u'Σ', u'σ', u'µ', u'τ', u'Φ', u'Θ', u'Ω', u'δ', u'∞', u'φ', u'ε', u'∩',
    u'≡', u'±', u'≥', u'≤', u'⌠', u'⌡', u'÷', u'≈', u'°', u'∙', u'·', u'√', u'ⁿ', u'²', u'■', u'\u00a0',
};

} // namespace

qint32 ZipEntry::ratio() const
{
    if (size <= 0)
        return 0;
    // An archive may claim any sizes: a packed size far above the size
    // gives a large negative figure, kept within reason.
    const double saved = std::clamp(double(size - compressedSize) * 100.0 / double(size), -9999.0, 100.0);
    return qint32(saved < 0 ? saved - 0.5 : saved + 0.5);
}

QString DecodeArchiveText(const QByteArray &raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(raw);
    if (!utf8.hasError())
        return text;
    text.clear();
    text.reserve(raw.size());
    for (char c : raw) {
        const unsigned char b = static_cast<unsigned char>(c);
        text += b < 128 ? QChar(b) : QChar(Cp437High[b - 128]);
    }
    return text;
}

std::vector<ZipEntry> ListEntries(zip *za)
{
    std::vector<ZipEntry> entries;
    const zip_int64_t count = zip_get_num_entries(za, 0);
    if (count <= 0)
        return entries;
    entries.reserve(size_t(count));
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        const char *raw = zip_get_name(za, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (!raw || zip_stat_index(za, zip_uint64_t(i), ZIP_FL_ENC_RAW, &st) != 0)
            continue;
        ZipEntry e;
        e.index = i;
        e.rawName = QByteArray(raw);
        e.name = EntryNameAsRead(DecodeArchiveText(e.rawName));
        e.isFolder = e.name.endsWith(u'/');
        if (st.valid & ZIP_STAT_SIZE)
            e.size = qint64(st.size);
        if (st.valid & ZIP_STAT_COMP_SIZE)
            e.compressedSize = qint64(st.comp_size);
        if (st.valid & ZIP_STAT_COMP_METHOD)
            e.method = st.comp_method;
        if (st.valid & ZIP_STAT_CRC)
            e.crc = st.crc;
        if (st.valid & ZIP_STAT_ENCRYPTION_METHOD)
            e.encrypted = st.encryption_method != ZIP_EM_NONE;
        // The traditional encryption header is not part of the data.
        if (e.encrypted && st.encryption_method == ZIP_EM_TRAD_PKWARE && e.compressedSize >= 12)
            e.compressedSize -= 12;
        qint64 secs = (st.valid & ZIP_STAT_MTIME) ? qint64(st.mtime) : 0;
        ExtendedModTime(za, zip_uint64_t(i), secs);
        e.modifiedSecs = secs;
        e.modified = LocalDateTimeFromSecs(secs);

        zip_uint8_t opsys = 0;
        zip_uint32_t attributes = 0;
        if (zip_file_get_external_attributes(za, zip_uint64_t(i), 0, &opsys, &attributes) == 0
            && opsys == ZIP_OPSYS_UNIX) {
            e.unixMode = attributes >> 16;
            e.isSymlink = S_ISLNK(e.unixMode);
        }
        entries.push_back(std::move(e));
    }
    return entries;
}

QString ZipErrorText(const zip_error *error)
{
    return ZipErrorText(zip_error_code_zip(error), zip_error_code_system(error));
}

QString ZipErrorText(int zipCode, int systemCode)
{
    // The archive file refuses to take the place of one another program
    // changed meanwhile; libzip's own text for that code would not say so.
    if (zipCode == ZIP_ER_CHANGED)
        return LoadResString(MsgChangedMeanwhile);
    zip_error_t error;
    zip_error_init_with_code(&error, zipCode);
    error.sys_err = systemCode;
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

QString ArchiveErrorText(zip *za)
{
    return ZipErrorText(zip_get_error(za));
}

} // namespace ardl
