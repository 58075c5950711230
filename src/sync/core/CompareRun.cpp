#include "CompareRun.h"

#include "RelativeNames.h"
#include "SyncFile.h"
#include "SyncPlan.h"
#include "modClass.h"

#include "common/core/ErrorReport.h"
#include "common/core/modFile.h"
#include "common/core/modFindFile.h"

#include <future>
#include <memory>
#include <optional>

namespace ardl {

namespace {

const QString KindDir = QStringLiteral("Dir");
const QString KindFile = QStringLiteral("File");
const QString KindFtp = QStringLiteral("Ftp");

SyncMessage info(int id)
{
    return MakeSyncMessage(id, MsgIcon::Information);
}

// The first failed check of the left side, in the order the page's fields are read.
std::optional<SyncMessage> checkLeft(const CompareRequest &r)
{
    if (r.Kind == KindFtp) {
        if (r.RootLeft.isEmpty())
            return info(SyncText::FtpServerEmpty);
        if (RemoteSiteOf(r).User.isEmpty())
            return info(SyncText::LoginEmpty);
        if (!PortNumber(r.Port))
            return info(SyncText::PortInvalid);
    } else if (r.Kind == KindFile) {
        if (r.RootLeft.isEmpty())
            return info(SyncText::SyncFileEmpty);
        if (!FileExists(r.RootLeft))
            return info(SyncText::SyncFileInvalid);
    } else if (r.Kind == KindDir) {
        if (r.RootLeft.isEmpty())
            return info(SyncText::LeftRootEmpty);
        if (!FolderExists(r.RootLeft))
            return info(SyncText::LeftRootInvalid);
    }
    return std::nullopt;
}

std::optional<SyncMessage> checkRight(const CompareRequest &r)
{
    if (r.RootRight.isEmpty())
        return info(SyncText::RightRootEmpty);
    if (!FolderExists(r.RootRight))
        return info(SyncText::RightRootInvalid);
    return std::nullopt;
}

// "N things, for example <first>" when there are any.
void reportList(CompareResult &result, int id, const QStringList &names)
{
    if (!names.isEmpty())
        result.messages.push_back(
            MakeSyncMessage(id, MsgIcon::Exclamation, {QString::number(names.size()), names.front()}));
}

// The files of a local folder scanned with the request's mask and recursion.
// Shows nothing: a failure is thrown to the caller, so the scan may run on
// another thread.
std::unique_ptr<colFile> scanFolder(const CompareRequest &r, const QString &root)
{
    auto files = std::make_unique<colFile>();
    ScanOptions options;
    options.Recursive = r.Recursive;
    options.Path = NormalizedRoot(root);
    options.Mask = r.Filter;
    ScanFolderTree(*files, options);
    return files;
}

const QString ScanLocation = QStringLiteral("in modFindFile.SearchForFilesArray.");

void listLeftFolder(const CompareRequest &r, const colFile &files, CompareResult &result)
{
    const QString base = NormalizedRoot(r.RootLeft);
    SyncItemSet &items = SyncItems();
    QStringList duplicates;
    for (const clsFile &f : files) {
        const QString name = RelativeName(f.Name, base);
        if (!items.addLeft(name, f.Size, f.Date))
            duplicates.push_back(name);
    }
    result.leftFiles = files.Count();
    reportList(result, SyncText::NamesListedTwice, duplicates);
}

void listRightFolder(const CompareRequest &r, const colFile &files, CompareResult &result)
{
    const QString base = NormalizedRoot(r.RootRight);
    SyncItemSet &items = SyncItems();
    for (const clsFile &f : files)
        items.addRight(RelativeName(f.Name, base), f.Size, f.Date);
    result.rightFiles = files.Count();
}

// False when the file cannot be read; its message is then in `result`.
bool listLeftSyncFile(const CompareRequest &r, CompareResult &result)
{
    const SyncFileLoadReport report = LoadSyncFile(r.RootLeft);
    const SyncFileContents &c = report.contents;
    if (!c.ok) {
        result.messages.push_back(info(SyncText::SyncFileInvalid));
        return false;
    }
    result.leftFiles = qsizetype(c.entries.size());
    if (c.malformedLines > 0)
        result.messages.push_back(MakeSyncMessage(SyncText::SyncFileLinesUnreadable, MsgIcon::Exclamation,
                                                  {QString::number(c.malformedLines)}));
    reportList(result, SyncText::NamesRejected, c.rejectedNames);
    reportList(result, SyncText::DatesUnreadable, c.undatedNames);
    reportList(result, SyncText::NamesListedTwice, report.duplicateNames);
    return true;
}

// False when the listing failed; its message is then in `result`.
bool listLeftRemote(const CompareRequest &r, CompareResult &result, const SyncStatusFn &status)
{
    FtpSite site = RemoteSiteOf(r);
    const RemoteScan scan = FtpListRemoteFolder(site, status);
    if (!scan.ok) {
        result.messages.push_back(scan.failure);
        return false;
    }
    SyncItemSet &items = SyncItems();
    items.reserve(qsizetype(scan.files.size()));
    QStringList duplicates;
    for (const RemoteFile &f : scan.files)
        if (!items.addLeft(f.Name, f.Size, f.Date, f.Precision))
            duplicates.push_back(f.Name);
    result.leftFiles = qsizetype(scan.files.size());
    reportList(result, SyncText::NamesRejected, scan.rejectedNames);
    reportList(result, SyncText::DatesUnreadable, scan.undatedNames);
    reportList(result, SyncText::ListingLinesUnreadable, scan.unreadableLines);
    reportList(result, SyncText::LinksLeftOut, scan.linkNames);
    reportList(result, SyncText::NamesListedTwice, duplicates);
    return true;
}

CompareResult stopped(CompareResult result, const SyncMessage &why)
{
    SyncItems().clear();
    result.messages.push_back(why);
    result.completed = false;
    return result;
}

} // namespace

CompareResult RunCompare(const CompareRequest &request, const SyncStatusFn &status)
{
    CompareResult result;
    SyncItems().clear();
    if (const auto failed = checkLeft(request))
        return stopped(result, *failed);
    if (const auto failed = checkRight(request))
        return stopped(result, *failed);
    result.rememberLeftRoot = true;

    // The right folder is scanned on a second thread while the left side is
    // listed here; only the scan runs there (it shows nothing), the compare
    // set and every report stay on this thread. A left folder is scanned first
    // and filed afterwards, so that the set is sized once for both sides. A
    // scan that fails stops the compare: half a listing would pass for files
    // missing on one side.
    std::future<std::unique_ptr<colFile>> rightScan =
        std::async(std::launch::async, scanFolder, std::cref(request), std::cref(request.RootRight));
    std::unique_ptr<colFile> leftFiles;
    std::unique_ptr<colFile> rightFiles;
    bool listed = true;
    try {
        if (request.Kind == KindFtp)
            listed = listLeftRemote(request, result, status);
        else if (request.Kind == KindFile)
            listed = listLeftSyncFile(request, result);
        else if (request.Kind == KindDir)
            leftFiles = scanFolder(request, request.RootLeft);
        rightFiles = rightScan.get();
    } catch (const std::exception &e) {
        if (rightScan.valid())
            rightScan.wait();
        ReportException(e, ScanLocation);
        listed = false;
    }
    if (!listed) {
        SyncItems().clear();
        result.completed = false;
        return result;
    }

    SyncItemSet &items = SyncItems();
    items.reserve(items.Count() + (leftFiles ? leftFiles->Count() : 0) + rightFiles->Count());
    if (leftFiles)
        listLeftFolder(request, *leftFiles, result);
    listRightFolder(request, *rightFiles, result);
    items.classify(request.IgnoreDate);
    result.completed = true;
    return result;
}

} // namespace ardl
