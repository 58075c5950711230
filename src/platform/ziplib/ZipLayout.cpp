#include "ZipLayout.h"

#include "ZipEntry.h"

#include "common/core/StringTable.h"
#include "common/core/modString.h"

#include <QFile>

#include <algorithm>
#include <vector>

namespace ardl {

namespace {

constexpr int MsgOverlap = 4311;

constexpr quint32 LocalHeaderSig = 0x04034b50;
constexpr quint32 CentralHeaderSig = 0x02014b50;
constexpr quint32 EndSig = 0x06054b50;
constexpr quint32 End64LocatorSig = 0x07064b50;
constexpr quint32 End64Sig = 0x06064b50;
constexpr qint64 LocalHeaderSize = 30;
constexpr qint64 CentralHeaderSize = 46;
constexpr qint64 EndSize = 22;
constexpr qint64 End64LocatorSize = 20;
constexpr qint64 End64Size = 56;
constexpr quint16 Zip64ExtraId = 0x0001;
constexpr quint32 Max32 = 0xFFFFFFFF;

quint16 U16(const char *p)
{
    const auto *b = reinterpret_cast<const unsigned char *>(p);
    return quint16(b[0] | b[1] << 8);
}

quint32 U32(const char *p)
{
    return quint32(U16(p)) | quint32(U16(p + 2)) << 16;
}

quint64 U64(const char *p)
{
    return quint64(U32(p)) | quint64(U32(p + 4)) << 32;
}

struct Span {
    qint64 begin;
    qint64 end;
    QByteArray name;
};

class Layout {
public:
    explicit Layout(QFile &file)
        : m_file(file)
        , m_size(file.size())
    {
    }

    // The entries' spans, or false when the directory cannot be read.
    bool read(std::vector<Span> &spans);

private:
    QByteArray at(qint64 offset, qint64 length)
    {
        if (offset < 0 || length < 0 || offset > m_size || length > m_size - offset || !m_file.seek(offset))
            return {};
        QByteArray bytes = m_file.read(length);
        return bytes.size() == length ? bytes : QByteArray();
    }
    bool findDirectory(qint64 &offset, qint64 &size, quint64 &count);

    QFile &m_file;
    const qint64 m_size;
};

bool Layout::findDirectory(qint64 &offset, qint64 &size, quint64 &count)
{
    // The end record sits at the end, after a comment of at most 65535 bytes.
    const qint64 tailLength = std::min<qint64>(m_size, EndSize + 0xFFFF);
    const QByteArray tail = at(m_size - tailLength, tailLength);
    if (tail.isEmpty())
        return false;
    qint64 end = -1;
    for (qint64 i = tail.size() - EndSize; i >= 0; --i) {
        if (U32(tail.constData() + i) == EndSig) {
            end = m_size - tailLength + i;
            break;
        }
    }
    if (end < 0)
        return false;
    const QByteArray record = at(end, EndSize);
    count = U16(record.constData() + 10);
    size = U32(record.constData() + 12);
    offset = U32(record.constData() + 16);
    const QByteArray locator = at(end - End64LocatorSize, End64LocatorSize);
    if (locator.isEmpty() || U32(locator.constData()) != End64LocatorSig)
        return true;
    const QByteArray record64 = at(qint64(U64(locator.constData() + 8)), End64Size);
    if (record64.isEmpty() || U32(record64.constData()) != End64Sig)
        return true;
    count = U64(record64.constData() + 32);
    size = qint64(U64(record64.constData() + 40));
    offset = qint64(U64(record64.constData() + 48));
    return true;
}

bool Layout::read(std::vector<Span> &spans)
{
    qint64 offset = 0;
    qint64 size = 0;
    quint64 count = 0;
    if (!findDirectory(offset, size, count))
        return false;
    const QByteArray directory = at(offset, size);
    if (directory.size() != size)
        return false;
    const char *p = directory.constData();
    const char *const end = p + directory.size();
    for (quint64 n = 0; n < count; ++n) {
        if (end - p < CentralHeaderSize || U32(p) != CentralHeaderSig)
            return false;
        quint64 packed = U32(p + 20);
        const quint64 unpacked = U32(p + 24);
        const qint64 nameLength = U16(p + 28);
        const qint64 extraLength = U16(p + 30);
        const qint64 commentLength = U16(p + 32);
        quint64 local = U32(p + 42);
        if (end - p < CentralHeaderSize + nameLength + extraLength + commentLength)
            return false;
        const QByteArray name(p + CentralHeaderSize, nameLength);
        // Zip64 keeps the large values in an extra field, in this order,
        // each only when its 32-bit field is full.
        const char *extra = p + CentralHeaderSize + nameLength;
        const char *const extraEnd = extra + extraLength;
        while (extraEnd - extra >= 4) {
            const quint16 id = U16(extra);
            const qint64 length = U16(extra + 2);
            const char *field = extra + 4;
            if (extraEnd - field < length)
                break;
            if (id == Zip64ExtraId) {
                const char *value = field;
                const auto next = [&](quint64 &target) {
                    if (field + length - value >= 8) {
                        target = U64(value);
                        value += 8;
                    }
                };
                quint64 ignored = unpacked;
                if (unpacked == Max32)
                    next(ignored);
                if (packed == Max32)
                    next(packed);
                if (local == Max32)
                    next(local);
            }
            extra = field + length;
        }
        p += CentralHeaderSize + nameLength + extraLength + commentLength;

        // The local header's own name and extra lengths, which may differ
        // from the central ones, say where the data begins.
        if (local > quint64(m_size))
            return false;
        const QByteArray header = at(qint64(local), LocalHeaderSize);
        if (header.isEmpty() || U32(header.constData()) != LocalHeaderSig)
            return false;
        const qint64 begin = qint64(local);
        const quint64 length = quint64(LocalHeaderSize) + U16(header.constData() + 26) + U16(header.constData() + 28)
                               + std::min<quint64>(packed, quint64(m_size));
        spans.push_back({begin, begin + qint64(std::min<quint64>(length, quint64(m_size))), name});
    }
    return true;
}

} // namespace

bool EntriesLieApart(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    std::vector<Span> spans;
    if (!Layout(file).read(spans))
        return true;
    std::sort(spans.begin(), spans.end(), [](const Span &a, const Span &b) { return a.begin < b.begin; });
    const Span *furthest = nullptr;
    for (const Span &span : spans) {
        if (furthest && span.begin < furthest->end) {
            if (why)
                *why = FormatString(LoadResString(MsgOverlap), DecodeArchiveText(furthest->name),
                                    DecodeArchiveText(span.name));
            return false;
        }
        if (!furthest || span.end > furthest->end)
            furthest = &span;
    }
    return true;
}

} // namespace ardl
