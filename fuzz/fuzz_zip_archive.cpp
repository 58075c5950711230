// Archives read by the Zip page: each input is written as an archive, listed
// with its comment, and extracted with its folders into a folder of its own,
// as Open, Comment and Extract do. Besides crashes and sanitizer reports, it
// fails when anything appears outside the extraction folder, and when a file
// comes out larger than the size its entry lists.
#include "FuzzSupport.h"

#include "common/core/colFile.h"
#include "zip/core/EntryNames.h"
#include "zip/core/UnzipRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

using namespace ardl;

namespace {

// <work>/archive.zip and <work>/a/b/out/, where entries go: an entry that
// climbed out of "out" would show up in "a", in "b" or beside the archive.
QString OutFolder()
{
    return fuzz::WorkFolder() + QStringLiteral("/a/b/out");
}

void CheckNothingEscaped(const QString &archive)
{
    const QString work = fuzz::WorkFolder();
    const QString out = OutFolder();
    QDirIterator it(work, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString found = it.next();
        if (found == archive || found == out || found.startsWith(out + u'/') || found == work + QStringLiteral("/a")
            || found == work + QStringLiteral("/a/b"))
            continue;
        fuzz::Fail("a file was written outside the extraction folder");
    }
}

// Each extracted file against the largest size listed for an entry that
// lands on its path: an entry may never write more than it claims.
void CheckNoFileOutgrewItsEntry(const colFile &listing)
{
    QHash<QString, qint64> listed;
    for (const clsFile &entry : listing) {
        const QString where = SafeEntryParts(entry.Name).join(u'/');
        if (!where.isEmpty())
            listed[where] = std::max(listed.value(where), entry.Size);
    }
    const QString out = OutFolder();
    const QDir base(out);
    QDirIterator it(out, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        const auto size = listed.constFind(base.relativeFilePath(file.filePath()));
        // A file no listed entry names is not judged here.
        if (size != listed.cend() && file.size() > *size)
            fuzz::Fail("an extracted file is larger than its entry's listed size");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString archive = fuzz::WriteInput(QStringLiteral("archive.zip"), fuzz::Bytes(data, size));
    QDir(OutFolder()).removeRecursively();
    QDir().mkpath(OutFolder());

    UnzipOptionsRecord options;
    options.Zip = archive;
    options.nvflag = 1;
    options.nzflag = 1;
    colFile listing;
    UnzipRunResult result;
    QString message;
    RunUnzip(options, {}, {}, {}, &listing, result, message);

    options.nvflag = 0;
    options.nzflag = 0;
    options.ndflag = 1;
    options.PromptToOverwrite = 0;
    options.ExtractDir = OutFolder();
    message.clear();
    RunUnzip(options, {}, {}, {}, nullptr, result, message);
    CheckNothingEscaped(archive);
    CheckNoFileOutgrewItsEntry(listing);
    fuzz::EmptyWorkFolder();
    return 0;
}
