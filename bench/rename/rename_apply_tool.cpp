// Applies one substitution (first match, case-sensitive, name without its
// extension) to every file of a folder as the Rename page does: list, preview,
// apply with a log. Prints the microseconds taken and the count renamed.
// The folder is listed by name only, as the shell lists it for the peer tool:
// the page's list, with sizes and dates, is made before Apply is clicked.
#include "rename/core/RenameApply.h"
#include "rename/core/RenameLogWriter.h"
#include "rename/core/RenamePreview.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

#include <dirent.h>
#include <sys/stat.h>

using namespace ardl;

namespace {

// The regular files of `folder`, in the order the folder gives them.
std::vector<RenameItem> listFiles(const QString &folder)
{
    std::vector<RenameItem> files;
    const QByteArray native = QFile::encodeName(folder) + '/';
    DIR *dir = ::opendir(native.constData());
    if (!dir)
        return files;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray path = native + entry->d_name;
        struct stat st;
        const bool regular = entry->d_type == DT_UNKNOWN ? ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode)
                                                         : entry->d_type == DT_REG;
        if (regular)
            files.push_back(ItemFromPath(QFile::decodeName(path)));
    }
    ::closedir(dir);
    return files;
}

} // namespace

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

    const std::vector<RenameItem> files = listFiles(args[1]);

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
