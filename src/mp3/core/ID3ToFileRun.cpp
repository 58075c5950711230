#include "ID3ToFileRun.h"

#include "common/core/FileRenamer.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"

#include <cerrno>

namespace ardl {

namespace {

const QString Extension = QStringLiteral(".mp3");

} // namespace

Mp3FileResult RenameFromTag(const Mp3File &file, const ID3ToFileOptions &options, FilesMet &met, QSet<QString> &listed,
                            FileNameCheck &names)
{
    ID3Tag tag;
    if (std::optional<Mp3FileResult> failed = ReadRunTag(file, met, tag))
        return *failed;

    const QString base = BuildID3FileName(file.name, options, tag);
    const QString newName = base + Extension;
    if (const QString fault = ID3FileNameFault(names, file.folder, base, newName, file.name); !fault.isEmpty())
        return Mp3FileResult::error(fault);

    const QString newPath = file.folder + newName;
    if (listed.contains(newPath))
        return Mp3FileResult::error(FormatString(LoadResString(4411), newName));
    QString where;
    const int error = MoveFile(file.path(), newPath, &where);
    if (where != file.path()) {
        listed.remove(file.path());
        listed.insert(where);
    }
    if (error == 0)
        return Mp3FileResult::ok(newName);
    Mp3FileResult failed = Mp3FileResult::error(error == EEXIST ? LoadResString(4115)
                                                                : ErrorText(error));
    // A change of letter case that could not be put back leaves the file
    // under its temporary name: the row must name it.
    if (where != file.path())
        failed.newName = GetFileName(where);
    return failed;
}

std::vector<Mp3FileResult> RunID3ToFile(const std::vector<Mp3File> &files, const ID3ToFileOptions &options)
{
    std::vector<Mp3FileResult> results;
    results.reserve(files.size());
    FilesMet met;
    QSet<QString> listed;
    listed.reserve(qsizetype(files.size()));
    for (const Mp3File &file : files) {
        if (file.exact())
            listed.insert(file.path());
    }
    FileNameCheck names;
    for (const Mp3File &file : files)
        results.push_back(RenameFromTag(file, options, met, listed, names));
    return results;
}

} // namespace ardl
