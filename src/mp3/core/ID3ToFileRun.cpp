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
    if (const QString fault = ID3FileNameFault(names, file.folder, base, newName); !fault.isEmpty())
        return Mp3FileResult::error(fault);
    // Named so already: nothing to do. The names compare exactly, so a name
    // that differs in letter case only is a rename.
    if (newName == file.name)
        return Mp3FileResult::alreadyNamed();

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

QString ID3ToFileSummary(const std::vector<Mp3File> &files, const std::vector<Mp3FileResult> &results)
{
    int renamed = 0;
    int already = 0;
    int failed = 0;
    QString firstName;
    QString firstReason;
    for (size_t row = 0; row < results.size() && row < files.size(); ++row) {
        const Mp3FileResult &result = results[row];
        switch (result.outcome) {
        case Mp3Outcome::Ok: ++renamed; break;
        case Mp3Outcome::AlreadyNamed: ++already; break;
        case Mp3Outcome::Error:
            if (failed++ == 0) {
                // The name the row shows: a failed change of case may have
                // left the file under its temporary name.
                firstName = result.newName.isEmpty() ? files[row].name : result.newName;
                firstReason = result.reason;
            }
            break;
        case Mp3Outcome::Unchanged: break;
        }
    }
    if (failed == 0)
        return FormatString(LoadResString(4414), renamed, already, failed);
    return FormatString(LoadResString(4415), renamed, already, failed, firstName, firstReason);
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
