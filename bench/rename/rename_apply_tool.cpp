// Applies one substitution (first match, case-sensitive, name without its
// extension) to every file of a folder as the Rename page does: list, preview,
// apply with a log. Prints the microseconds taken and the count renamed.
#include "rename/core/RenameApply.h"
#include "rename/core/RenameLogWriter.h"
#include "rename/core/RenamePreview.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>

#include <cstdio>

using namespace ardl;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: %s FOLDER FIND REPLACE [LOG]\n", argv[0]);
        return 2;
    }
    QElapsedTimer timer;
    timer.start();

    std::vector<RenameItem> files;
    for (QDirIterator it(args[1], QDir::Files | QDir::Hidden); it.hasNext();)
        files.push_back(ItemFromPath(it.next()));

    RenameOptions o;
    o.Substitute = true;
    o.MatchCase = true;
    o.FindText = args[2];
    o.ReplaceText = args[3];
    const RenamePreview preview = PreviewRenames(files, o);

    RenameLogWriter log;
    const bool logging = args.size() > 4;
    if (logging && !log.open(args[4])) {
        std::fprintf(stderr, "%s\n", qPrintable(log.errorString()));
        return 1;
    }
    const ApplyResult result = ApplyRenamePlan(preview.plan, logging ? &log : nullptr);
    if (logging && !log.close()) {
        std::fprintf(stderr, "%s\n", qPrintable(log.errorString()));
        return 1;
    }
    std::printf("%lld %d\n", static_cast<long long>(timer.nsecsElapsed() / 1000), result.renamed);
    return result.failures.empty() && preview.errorCount() == 0 ? 0 : 1;
}
