#include "platform/splitlib/merge/kos.h"
#include "support/FileContent.h"
#include "support/TestSupport.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

using namespace ardl;
using namespace ardl::test;

namespace {

quint64 sumOf(const QByteArray &bytes, const QList<qsizetype> &cuts = {})
{
    kos_sum s;
    kos_sum_init(&s);
    qsizetype at = 0;
    for (qsizetype cut : cuts) {
        kos_sum_bytes(&s, bytes.constData() + at, size_t(cut - at));
        at = cut;
    }
    kos_sum_bytes(&s, bytes.constData() + at, size_t(bytes.size() - at));
    return kos_sum_final(&s);
}

kos_record splitRecord(quint32 count, quint64 first, quint64 part, quint64 total)
{
    kos_record r {};
    r.part_count = count;
    r.first_size = first;
    r.part_size = part;
    r.total_size = total;
    return r;
}

} // namespace

TEST(KosChecksum, SameWhereverTheBytesAreCutAndZerosCanBeSkipped)
{
    QByteArray bytes = PatternBytes(1000, 7);
    bytes.replace(100, 300, QByteArray(300, '\0'));
    const quint64 whole = sumOf(bytes);
    EXPECT_EQ(sumOf(bytes, {1, 9, 17, 500, 999}), whole);
    EXPECT_EQ(sumOf(bytes, {3, 4, 5, 6, 7, 8}), whole);

    // The zeros of 100..400 passed over as a hole, from odd boundaries.
    kos_sum s;
    kos_sum_init(&s);
    kos_sum_bytes(&s, bytes.constData(), 100);
    kos_sum_zeros(&s, 3);
    kos_sum_zeros(&s, 297);
    kos_sum_bytes(&s, bytes.constData() + 400, 600);
    EXPECT_EQ(kos_sum_final(&s), whole);
}

TEST(KosChecksum, ChangesWithAnyByteTheOrderOfPartsAndTheLength)
{
    const QByteArray bytes = PatternBytes(4096, 11);
    const quint64 whole = sumOf(bytes);
    QByteArray changed = bytes;
    changed[2049] = char(changed[2049] ^ 1);
    EXPECT_NE(sumOf(changed), whole);
    // Two parts of equal size swapped.
    EXPECT_NE(sumOf(bytes.mid(2048) + bytes.left(2048)), whole);
    EXPECT_NE(sumOf(bytes + QByteArray(1, '\0')), whole);
    EXPECT_NE(sumOf(QByteArray(8, '\0')), sumOf(QByteArray(16, '\0')));
}

TEST(KosRecord, RoundTripsAndRefusesDamage)
{
    kos_record r = splitRecord(3, 1000, 1456128, 1000 + 1456128 + 5);
    r.flags = KOS_FLAG_DOT;
    r.base_len = 6;
    r.ext_len = 3;
    r.checksum = 0x0123456789abcdefULL;
    unsigned char raw[KOS_RECORD_SIZE];
    kos_record_encode(&r, raw);
    kos_record back {};
    ASSERT_EQ(kos_record_decode(raw, &back), 0);
    EXPECT_EQ(back.part_count, 3u);
    EXPECT_EQ(back.first_size, 1000u);
    EXPECT_EQ(back.total_size, r.total_size);
    EXPECT_EQ(back.checksum, r.checksum);
    EXPECT_EQ(back.flags, KOS_FLAG_DOT);
    EXPECT_EQ(back.base_len, 6u);

    for (size_t i = 0; i < KOS_RECORD_SIZE; ++i) {
        unsigned char damaged[KOS_RECORD_SIZE];
        std::memcpy(damaged, raw, sizeof damaged);
        damaged[i] ^= 0x10;
        EXPECT_NE(kos_record_decode(damaged, &back), 0) << "byte " << i;
    }
}

TEST(KosRecord, PartLengthsFollowTheSplit)
{
    const kos_record r = splitRecord(3, 10, 4, 17);
    EXPECT_EQ(kos_part_length(&r, 0), 10);
    EXPECT_EQ(kos_part_length(&r, 1), 4);
    EXPECT_EQ(kos_part_length(&r, 2), 3);
    EXPECT_EQ(kos_part_length(&r, 3), -1);

    const kos_record one = splitRecord(1, 5, 100, 5);
    EXPECT_EQ(kos_part_length(&one, 0), 5);
    // Sizes that no split gives: a last part too long, or empty.
    const kos_record tooLong = splitRecord(2, 10, 4, 15);
    EXPECT_EQ(kos_part_length(&tooLong, 0), -1);
    const kos_record emptyLast = splitRecord(3, 10, 4, 14);
    EXPECT_EQ(kos_part_length(&emptyLast, 0), -1);
    const kos_record huge = splitRecord(0xffffffffu, 1, 0x7fffffffffffffffULL, 100);
    EXPECT_EQ(kos_part_length(&huge, 0), -1);
}

class KosCopyTest : public TempDirTest {};

TEST_F(KosCopyTest, CopiesARangeAndKeepsHolesAsHoles)
{
    constexpr qint64 Length = 64LL << 20;
    const QByteArray data = PatternBytes(100000, 3);
    const QString source = path(QStringLiteral("sparse"));
    ASSERT_TRUE(MakeSparseFile(source, Length, {0, 40LL << 20}, data));
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY);
    const QString target = path(QStringLiteral("copy"));
    const int out = ::open(QFile::encodeName(target).constData(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    EXPECT_EQ(kos_copy(in, 0, out, 0, Length), 0);
    EXPECT_TRUE(SameContent(source, target));
    EXPECT_LT(AllocatedBlocks(target), 2048);   // some 200 KB of data, not 64 MB

    // A copy past the end of the source is refused.
    EXPECT_EQ(kos_copy(in, Length - 10, out, Length, 11), EIO);

    kos_sum fromFile, fromBytes;
    kos_sum_init(&fromFile);
    kos_sum_init(&fromBytes);
    ASSERT_EQ(kos_sum_file(&fromFile, in, 0, Length), 0);
    QFile whole(source);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray all = whole.readAll();
    kos_sum_bytes(&fromBytes, all.constData(), size_t(all.size()));
    EXPECT_EQ(kos_sum_final(&fromFile), kos_sum_final(&fromBytes));
    ::close(in);
    ::close(out);
}
