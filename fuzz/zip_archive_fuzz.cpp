// Fuzz target for archives read by the Zip page: each input is written as an
// archive, listed with its comment, and extracted with its folders into a
// scratch folder, as the Zip page's Open, Comment and Extract do. Besides
// crashes and sanitizer reports, it stops when anything appears in the
// scratch area outside the extraction folder. Seed inputs: fuzz/corpus/zip
// (stored, deflated, encrypted, with a comment, with a link, hostile names).
#include "common/core/colFile.h"
#include "zip/core/UnzipRun.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace ardl;

namespace {

// <scratch>/archive.zip and <scratch>/a/b/out/, where entries go. An entry
// that climbed out of "out" would show up in "a" or "b" or beside the
// archive.
struct Scratch {
    QTemporaryDir root;
    QString archive = root.filePath(QStringLiteral("archive.zip"));
    QString out = root.filePath(QStringLiteral("a/b/out"));
};

Scratch &scratch()
{
    static Scratch s;
    return s;
}

void checkNothingEscaped(const Scratch &s)
{
    QDirIterator it(s.root.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    const QString outPrefix = s.out + u'/';
    while (it.hasNext()) {
        const QString found = it.next();
        if (found == s.archive || found == s.out || found.startsWith(outPrefix))
            continue;
        if (found == s.root.filePath(QStringLiteral("a")) || found == s.root.filePath(QStringLiteral("a/b")))
            continue;
        std::fprintf(stderr, "written outside the extraction folder: %s\n", qPrintable(found));
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Scratch &s = scratch();
    QDir(s.out).removeRecursively();
    QDir().mkpath(s.out);
    QFile file(s.archive);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char *>(data), qint64(size));
    file.close();

    UnzipOptionsRecord options;
    options.Zip = s.archive;
    options.nvflag = 1;
    options.nzflag = 1;
    colFile listing;
    UnzipRunResult result;
    QString message;
    RunUnzip(options, {}, {}, &listing, result, message);

    options.nvflag = 0;
    options.nzflag = 0;
    options.ndflag = 1;
    options.PromptToOverwrite = 0;
    options.ExtractDir = s.out;
    message.clear();
    RunUnzip(options, {}, {}, nullptr, result, message);
    checkNothingEscaped(s);
    return 0;
}
