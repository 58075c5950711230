#include "CreateExe.h"

#include "NewFile.h"
#include "ReadOnlyFile.h"
#include "merge/kos.h"

#include "common/core/modFile.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

CreateExeOutput &failed(CreateExeOutput &out, SplitFault fault, int error, const QString &path)
{
    out.problem = {fault, error, path};
    return out;
}

// The merge program's bytes, padded with zeros to the room kept for it.
bool readProgram(const QString &path, QByteArray &bytes, CreateExeOutput &out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failed(out, SplitFault::System, ENOENT, path);
        return false;
    }
    if (file.size() <= 0 || file.size() > MergeProgramReserve) {
        failed(out, SplitFault::ProgramSize, 0, path);
        return false;
    }
    bytes = file.readAll();
    if (bytes.size() != file.size()) {
        failed(out, SplitFault::System, EIO, path);
        return false;
    }
    bytes.resize(MergeProgramReserve, '\0');
    return true;
}

// Checks that the parts have the sizes of a split of one file and sums them.
bool sumParts(const QString &folder, const QString &base, qint64 count, qint64 firstSize, qint64 partSize,
              kos_record &record, CreateExeOutput &out)
{
    qint64 sizes[2] = {0, 0};   // part 0, and all the parts
    kos_sum sum;
    kos_sum_init(&sum);
    for (qint64 k = 0; k < count; ++k) {
        const QString path = folder + PartFileName(base, k);
        const ReadOnlyFile part(path);
        const qint64 length = part.length();
        const bool last = k == count - 1;
        const qint64 limit = k == 0 ? firstSize : partSize;
        if (length <= 0 || length > limit || (!last && length != limit)) {
            failed(out, SplitFault::PartSize, 0, path);
            return false;
        }
        if (const int error = kos_sum_file(&sum, part.fd(), 0, quint64(length))) {
            failed(out, SplitFault::System, error, path);
            return false;
        }
        sizes[k == 0 ? 0 : 1] += length;
    }
    record.part_count = quint32(count);
    record.first_size = quint64(sizes[0]);
    record.part_size = quint64(partSize);
    record.total_size = quint64(sizes[0] + sizes[1]);
    record.checksum = kos_sum_final(&sum);
    return true;
}

} // namespace

CreateExeOutput CreateExe(const QString &mergeProgram, const QString &destFolder, const SplitName &name,
                          qint64 partCount, qint64 firstSize, qint64 partSize, bool durable)
{
    CreateExeOutput out;
    const QString folder = AddBackslash(destFolder);
    const QByteArray base = QFile::encodeName(name.base);
    const QByteArray extension = QFile::encodeName(name.extension);
    if (partCount <= 0 || partCount > 0xffffffffLL || firstSize <= 0 || partSize <= 0 || base.isEmpty()
        || base.size() > 0xffff || extension.size() > 0xffff)
        return failed(out, SplitFault::PartSize, 0, folder + PartFileName(name.base, 0));

    QByteArray program;
    if (!readProgram(mergeProgram, program, out))
        return out;
    kos_record record {};
    record.flags = name.hasDot ? KOS_FLAG_DOT : 0;
    record.base_len = quint32(base.size());
    record.ext_len = quint32(extension.size());
    if (!sumParts(folder, name.base, partCount, firstSize, partSize, record, out))
        return out;

    unsigned char raw[KOS_RECORD_SIZE];
    kos_record_encode(&record, raw);
    const QByteArray head = program + QByteArray(reinterpret_cast<const char *>(raw), KOS_RECORD_SIZE) + base
                          + extension;

    const QString part0 = folder + PartFileName(name.base, 0);
    const ReadOnlyFile first(part0);
    const QString target = folder + MergeProgramName(name.base);
    NewFile file(folder, 0777);
    int error = file.error();
    if (!error)
        error = file.write(head, 0);
    if (!error)
        error = kos_copy(first.fd(), 0, file.fd(), quint64(head.size()), record.first_size);
    struct stat st {};
    if (!error && ::fstat(file.fd(), &st) != 0)
        error = errno;
    if (!error && st.st_size != head.size() + qint64(record.first_size))
        error = EIO;
    if (!error)
        error = file.finish(target, durable);
    if (error)
        return failed(out, SplitFault::System, error, target);

    out.program = target;
    out.size = st.st_size;
    out.total = qint64(record.total_size);
    out.checksum = record.checksum;
    return out;
}

} // namespace ardl
