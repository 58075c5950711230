#include "SplitFile.h"

#include "MergeScript.h"
#include "NewFile.h"
#include "ReadOnlyFile.h"
#include "SplitLayout.h"
#include "merge/kos.h"

#include "common/core/modFile.h"

#include <QFile>

#include <cerrno>

namespace ardl {

namespace {

SplitFileOutput &failed(SplitFileOutput &out, int error, const QString &path, SplitFault fault = SplitFault::System)
{
    for (const QString &written : out.parts)
        QFile::remove(written);
    out.parts.clear();
    out.partSizes.clear();
    out.problem = {fault, error, path};
    return out;
}

int writePart(const ReadOnlyFile &source, qint64 offset, qint64 length, const QString &folder,
              const QString &target, bool durable)
{
    NewFile part(folder, 0666);
    if (part.error())
        return part.error();
    const int error = kos_copy(source.fd(), quint64(offset), part.fd(), 0, quint64(length));
    return error ? error : part.finish(target, durable);
}

} // namespace

SplitFileOutput SplitFile(const QString &sourcePath, const QString &fileName, const QString &destFolder,
                          const QString &baseName, qint64 firstSize, qint64 partSize,
                          const SplitFileOptions &options)
{
    SplitFileOutput out;
    if (firstSize <= 0 || partSize <= 0)
        return failed(out, EINVAL, sourcePath);
    const ReadOnlyFile source(sourcePath);
    if (source.error())
        return failed(out, source.error(), sourcePath);

    const QString folder = AddBackslash(destFolder);
    out.total = source.length();
    const qint64 count = PartCount(out.total, firstSize, partSize);
    QStringList names;
    qint64 offset = 0;
    for (qint64 k = 0; k < count; ++k) {
        const QString name = PartFileName(baseName, k);
        const qint64 length = PartLength(out.total, firstSize, partSize, k);
        const int error = writePart(source, offset, length, folder, folder + name, options.durable);
        if (error)
            return failed(out, error, folder + name);
        names << name;
        out.parts << folder + name;
        out.partSizes.push_back(length);
        offset += length;
        if (options.progress)
            options.progress(k + 1, count);
    }
    if (count == 0)
        return out;
    // Parts cut from a file that grew, shrank or was rewritten meanwhile
    // would rebuild something the user never had.
    if (source.changed())
        return failed(out, 0, sourcePath, SplitFault::SourceChanged);

    const QString script = folder + MergeScriptName(baseName);
    NewFile file(folder, 0777);
    int error = file.error();
    if (!error)
        error = file.write(MergeScriptText(fileName, names, out.partSizes, out.total), 0);
    if (!error)
        error = file.finish(script, options.durable);
    if (error)
        return failed(out, error, script);
    if (options.durable && (error = SyncFolder(folder)) != 0) {
        QFile::remove(script);
        return failed(out, error, folder);
    }
    out.script = script;
    return out;
}

} // namespace ardl
