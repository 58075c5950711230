// Creates an archive from files and folders (named relative to the current
// folder, as `zip -r` names them) at a deflate level, or extracts every
// entry of an archive into a folder replacing what is there, through the
// drivers of the Zip page. Used by run.sh; prints the driver's message and
// exits non-zero when the run fails.
#include "zip/core/modVBUnzBas.h"
#include "zip/core/modVbZip.h"

#include <QCoreApplication>

#include <cstdio>

using namespace ardl;

namespace {

int usage()
{
    std::fprintf(stderr, "usage: zip_bench_tool create ARCHIVE LEVEL PATH...\n"
                         "       zip_bench_tool extract ARCHIVE FOLDER\n");
    return 2;
}

int create(const QStringList &args)
{
    InitZip();
    ZCL.Archive = args[0];
    ZCL.StartEmpty = true;
    ZipOptions.fGrow = 1;
    ZipOptions.fRecurse = 1;
    ZipOptions.fJunkDir = 0;
    ZipOptions.fLevel = int16_t('0' + args[1].toInt());
    ZCL.Names = args.mid(2);
    const int result = ZipArchive();
    if (result != 0)
        std::fprintf(stderr, "%s", qPrintable(ZipMessage));
    return result;
}

int extract(const QStringList &args)
{
    UnzipOptions = {};
    UnzipOptions.Zip = args[0];
    UnzipOptions.ExtractDir = args[1];
    UnzipOptions.ndflag = 1;
    UnzipOptions.PromptToOverwrite = 0;
    const int result = UnzipArchive();
    if (result != 0)
        std::fprintf(stderr, "%s", qPrintable(UnzipMessage));
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() >= 4 && args[0] == QLatin1String("create"))
        return create(args.mid(1));
    if (args.size() == 3 && args[0] == QLatin1String("extract"))
        return extract(args.mid(1));
    return usage();
}
