#include "modFindFile.h"

#include "ErrorReport.h"
#include "FolderReader.h"
#include "modFile.h"

namespace ardl {

void SearchForFilesArray(colFile &col, ScanOptions &opt)
{
    Guarded(QStringLiteral("in modFindFile.SearchForFilesArray."), false, [&] {
        ScanFolderTree(col, opt);   // a folder that cannot be read is skipped without a word
        return true;
    });
}

void GetFileInformation(colFile &col, const ScanOptions &opt)
{
    Guarded(QStringLiteral("in modFindFile.GetFileInformation."), false, [&] {
        if (opt.Path.isEmpty())
            return false;
        const QString folder = AddBackslash(opt.Path);
        FolderReader reader(opt.Mask);
        FolderListing listing;
        const ListedFolder listed{folder, folder.toUtf8(), true};
        if (reader.read(listed, true, false, listing))
            for (clsFile &f : ListedFiles(listed, listing))
                col.Add(std::move(f));   // a file already there is simply skipped
        return true;
    });
}

} // namespace ardl
