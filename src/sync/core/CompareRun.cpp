#include "CompareRun.h"

#include "RelativeNames.h"
#include "SyncFile.h"
#include "SyncPlan.h"
#include "modClass.h"

#include "common/core/ErrorReport.h"
#include "common/core/FileRenamer.h"
#include "common/core/LeftOutNames.h"
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

void reportList(CompareResult &result, int id, const LeftOutNames &names)
{
    if (!names.isEmpty())
        result.messages.push_back(
            MakeSyncMessage(id, MsgIcon::Exclamation, {QString::number(names.count()), names.example()}));
}

// A local folder scanned with the request's mask and recursion.
struct FolderScan {
    std::unique_ptr<colFile> files;
    ScanReport report;
};

// Shows nothing: a failure is thrown to the caller, so the scan may run on
// another thread.
FolderScan scanFolder(const CompareRequest &r, const QString &root)
{
    FolderScan scan{std::make_unique<colFile>(), {}};
    ScanOptions options;
    options.Recursive = r.Recursive;
    options.Path = NormalizedRoot(root);
    options.Mask = r.Filter;
    scan.report = ScanFolderTree(*scan.files, options);
    return scan;
}

// A folder of either side that could not be read stops the compare: its
// files would pass for missing, and a later run copy over files it never
// compared.
std::optional<SyncMessage> unreadableFolder(const std::optional<FolderScan> &scan)
{
    if (!scan || scan->report.unreadable.empty())
        return std::nullopt;
    const UnreadableFolder &f = scan->report.unreadable.front();
    return MakeSyncMessage(SyncText::FolderUnreadable, MsgIcon::Exclamation, {f.path, ErrorText(f.error)});
}

const QString ScanLocation = QStringLiteral("in modFindFile.SearchForFilesArray.");

// A name that is not valid UTF-8 shows alike with others and names no file
// on disk, so it never becomes a row: it is left out and counted in
// `inexact`.
void listLeftFolder(const CompareRequest &r, const colFile &files, CompareResult &result, LeftOutNames &inexact)
{
    const QString base = NormalizedRoot(r.RootLeft);
    SyncItemSet &items = SyncItems();
    QStringList duplicates;
    for (const clsFile &f : files) {
        const QString name = RelativeName(f.Name, base);
        if (!f.NameIsExact())
            inexact.add(RelativeName(ShownName(f), base));
        else if (!items.addLeft(name, f.Size, f.Date))
            duplicates.push_back(name);
    }
    result.leftFiles = files.Count();
    reportList(result, SyncText::NamesListedTwice, duplicates);
}

void listRightFolder(const CompareRequest &r, const colFile &files, CompareResult &result, LeftOutNames &inexact)
{
    const QString base = NormalizedRoot(r.RootRight);
    SyncItemSet &items = SyncItems();
    for (const clsFile &f : files) {
        const QString name = RelativeName(f.Name, base);
        if (f.NameIsExact())
            items.addRight(name, f.Size, f.Date);
        else
            inexact.add(RelativeName(ShownName(f), base));
    }
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
    std::future<FolderScan> rightScan =
        std::async(std::launch::async, scanFolder, std::cref(request), std::cref(request.RootRight));
    std::optional<FolderScan> left;
    std::optional<FolderScan> right;
    bool listed = true;
    try {
        if (request.Kind == KindFtp)
            listed = listLeftRemote(request, result, status);
        else if (request.Kind == KindFile)
            listed = listLeftSyncFile(request, result);
        else if (request.Kind == KindDir)
            left = scanFolder(request, request.RootLeft);
        right = rightScan.get();
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
    for (const std::optional<FolderScan> *side : {&left, &right})
        if (const auto failed = unreadableFolder(*side))
            return stopped(result, *failed);

    SyncItemSet &items = SyncItems();
    items.reserve(items.Count() + (left ? left->files->Count() : 0) + right->files->Count());
    LeftOutNames inexact;
    if (left)
        listLeftFolder(request, *left->files, result, inexact);
    listRightFolder(request, *right->files, result, inexact);
    reportList(result, SyncText::NamesNotExact, inexact);
    items.classify(request.IgnoreDate);
    result.completed = true;
    return result;
}

} // namespace ardl
