#include "ZipRun.h"

#include "EntryNames.h"

#include "common/core/FileRenamer.h"
#include "common/core/FileVersion.h"
#include "common/core/LeftOutNames.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modFindFile.h"
#include "common/core/modString.h"
#include "platform/ziplib/ZipWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ardl {

namespace {

// Texts of the zip run.
constexpr int MsgNotAdded = 4300;
constexpr int MsgArchiveItself = 4301;
constexpr int MsgHidden = 4302;
constexpr int MsgSameEntryName = 4303;
constexpr int MsgCannotOpen = 4304;
constexpr int MsgCannotWrite = 4305;
constexpr int MsgNothingToDo = 4306;
constexpr int MsgNoSuchEntry = 4307;
constexpr int MsgNotRemoved = 4308;
constexpr int MsgCommentRefused = 4309;
constexpr int MsgFolder = 4310;
constexpr int MsgChangedNotRemoved = 4313;

template <typename... Args>
void Say(QString &message, int id, const Args &...args)
{
    message += FormatString(LoadResString(id), args...) + u'\n';
}

int LevelOf(int16_t fLevel)
{
    return fLevel >= '0' && fLevel <= '9' ? fLevel - '0' : 6;
}

struct FileState {
    bool exists = false;
    bool isFolder = false;
    qint64 modifiedSecs = 0;
    FileVersion version;
};

FileState StatFile(const QString &path)
{
    FileState state;
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        state.exists = true;
        state.isFolder = S_ISDIR(st.st_mode);
        state.modifiedSecs = qint64(st.st_mtim.tv_sec);
        state.version = FileVersion::Of(st);
    }
    return state;
}

// DOS times keep even seconds only: a file is newer than its entry when it
// is at least two seconds younger.
bool IsNewer(qint64 fileSecs, qint64 entrySecs)
{
    return fileSecs - entrySecs >= 2;
}

// The names of an add run, with each folder replaced by the files below it
// when folders are to be walked. A file below whose name is not valid UTF-8
// is counted in `leftOut`: its text would name another file, or none.
QStringList ExpandFolders(const QStringList &names, bool recurse, LeftOutNames &leftOut)
{
    if (!recurse)
        return names;
    QStringList files;
    for (const QString &name : names) {
        if (!StatFile(name).isFolder) {
            files << name;
            continue;
        }
        colFile found;
        ScanOptions scan;
        scan.Recursive = true;
        scan.Path = name;
        SearchForFilesArray(found, scan);
        files << ExactNames(found, leftOut);
    }
    return files;
}

struct Queued {
    int number;
    QString path;
    bool replaces;
    FileVersion before; // the file when it was queued, before it was read
};

class ZipRunner {
public:
    ZipRunner(const ZipOptionsRecord &options, ZipNameList &names, ZipRunResult &result, QString &message, int threads)
        : o(options)
        , zcl(names)
        , result(result)
        , message(message)
        , writer(threads)
    {
        writer.setKeepAlive(KeepAlive(ZipKeepAlive));
    }

    int run(const QString &password, const QString &comment);

private:
    bool deleteEntries();
    // False when the run must stop without writing (code set).
    bool queueFiles(const QByteArray &password, int &code);
    int finish();

    const ZipOptionsRecord &o;
    ZipNameList &zcl;
    ZipRunResult &result;
    QString &message;
    ZipWriter writer;
    std::vector<Queued> queued;
};

int ZipRunner::run(const QString &password, const QString &comment)
{
    // Only files put in may take the place of the old content: a run that
    // deletes entries or sets the comment works on the archive as it is
    // (started empty it would write an archive of nothing, which is no file).
    const bool adds = !o.fDeleteEntries && !zcl.Names.isEmpty();
    // Nor is there anything to delete from, or to comment, in an archive
    // that is not there (removed since it was listed).
    if ((o.fComment || o.fDeleteEntries) && !adds && !StatFile(zcl.Archive).exists) {
        Say(message, MsgCannotOpen, zcl.Archive, ErrorText(ENOENT));
        return ZipCannotOpen;
    }
    if (!writer.open(zcl.Archive, zcl.StartEmpty && adds)) {
        Say(message, MsgCannotOpen, zcl.Archive, writer.errorText());
        return StatFile(zcl.Archive).exists ? ZipNotAnArchive : ZipCannotOpen;
    }
    bool changes = false;
    if (o.fDeleteEntries) {
        changes = deleteEntries();
    } else if (!zcl.Names.isEmpty()) {
        int code = 0;
        if (!queueFiles(o.fEncrypt ? password.toUtf8() : QByteArray(), code))
            return code;
        changes = !queued.empty();
    }
    if (o.fComment) {
        bool changed = false;
        const QByteArray bytes = CommentBytes(comment, writer.rawComment(), &changed);
        if (changed && !writer.setComment(bytes)) {
            Say(message, MsgCommentRefused, writer.errorText());
            return ZipWriteFailed;
        }
        result.commentChanged = changed;
        changes = changes || changed;
        // An unchanged comment is nothing to write, and no failure.
        if (!changes && zcl.Names.isEmpty() && !o.fDeleteEntries)
            return 0;
    }
    if (!changes) {
        writer.discard();
        if (result.failed > 0)
            return ZipSomeFilesFailed;
        Say(message, MsgNothingToDo, zcl.Archive);
        return ZipNothingToDo;
    }
    return finish();
}

bool ZipRunner::deleteEntries()
{
    QStringList unmatched;
    for (const ZipEntry *entry : SelectEntries(writer.entries(), zcl.Names, &unmatched, zcl.RawNames)) {
        if (writer.remove(entry->index))
            ++result.deleted;
    }
    for (const QString &name : unmatched) {
        Say(message, MsgNoSuchEntry, name);
        ++result.failed;
    }
    return result.deleted > 0;
}

bool ZipRunner::queueFiles(const QByteArray &password, int &code)
{
    QHash<QString, const ZipEntry *> existing;
    for (const ZipEntry &entry : writer.entries()) {
        // A folder entry is never a file's to replace.
        if (!entry.isFolder)
            existing.insert(entry.name, &entry);
    }
    QHash<QString, QString> taken; // entry name as read -> the file this run stores under it
    const QString archiveItself = QFileInfo(zcl.Archive).canonicalFilePath();
    const int level = LevelOf(o.fLevel);

    LeftOutNames leftOut;
    const QStringList files = ExpandFolders(zcl.Names, o.fRecurse, leftOut);
    if (!leftOut.isEmpty()) {
        message += leftOut.message(NamesNotExactText) + u'\n';
        result.failed += leftOut.count();
    }
    for (const QString &path : files) {
        const FileState state = StatFile(path);
        if (state.isFolder) {
            Say(message, MsgFolder, path);
            ++result.failed;
            continue;
        }
        if (!archiveItself.isEmpty() && QFileInfo(path).canonicalFilePath() == archiveItself) {
            Say(message, MsgArchiveItself, path);
            continue;
        }
        if (!o.fSystem && GetFileName(path).startsWith(u'.')) {
            Say(message, MsgHidden, path);
            continue;
        }
        const QString entryName = EntryNameForFile(path, o.fJunkDir, o.fForce);
        // A file whose name holds "\" meets its own entry, and any other it
        // reads like, under the reading the archive's names get.
        const QString key = EntryNameAsRead(entryName);
        const auto other = taken.constFind(key);
        if (other != taken.cend()) {
            Say(message, MsgSameEntryName, *other, path, entryName);
            writer.discard();
            code = ZipRepeatedName;
            return false;
        }
        taken.insert(key, path);
        const ZipEntry *entry = existing.value(key);
        if (o.fFreshen && !entry)
            continue;
        if ((o.fFreshen || o.fUpdate) && entry && state.exists && !IsNewer(state.modifiedSecs, entry->modifiedSecs))
            continue;
        const int number = writer.add({path, entryName, level, password, entry ? entry->index : -1, o.fExtra != 0});
        if (number < 0) {
            Say(message, MsgNotAdded, path, writer.errorText());
            ++result.failed;
            continue;
        }
        queued.push_back({number, path, entry != nullptr, state.version});
    }
    return true;
}

int ZipRunner::finish()
{
    if (!writer.commit()) {
        Say(message, MsgCannotWrite, zcl.Archive, writer.errorText());
        result = {};
        return ZipWriteFailed;
    }
    for (const ZipWriter::Failure &failure : writer.failures()) {
        Say(message, MsgNotAdded, failure.localPath, failure.reason);
        ++result.failed;
    }
    for (const Queued &q : queued) {
        if (!writer.added(q.number))
            continue;
        ++(q.replaces ? result.replaced : result.added);
        if (!o.fMove)
            continue;
        // A file written to while the run read it holds more than went in.
        if (FileVersion::Of(q.path) != q.before) {
            Say(message, MsgChangedNotRemoved, q.path);
            ++result.failed;
            continue;
        }
        if (::unlink(QFile::encodeName(q.path).constData()) == 0) {
            ++result.moved;
        } else {
            Say(message, MsgNotRemoved, q.path, ErrorText(errno));
            ++result.failed;
        }
    }
    if (result.filesWritten() > 0 || result.deleted > 0 || result.commentChanged)
        zcl.StartEmpty = false;
    // An archive without entries is no file: libzip removes it.
    result.archiveRemoved = result.deleted > 0 && !StatFile(zcl.Archive).exists;
    return result.failed > 0 ? ZipSomeFilesFailed : 0;
}

} // namespace

QByteArray CommentBytes(const QString &text, const QByteArray &stored, bool *changed)
{
    auto plain = [](QString s) { return s.replace(QLatin1String("\r\n"), QLatin1String("\n")); };
    if (plain(DecodeArchiveText(stored)) == plain(text)) {
        *changed = false;
        return stored;
    }
    *changed = true;
    // Text from an edit box has "\n" alone; it takes the comment's own line ends.
    if (text.contains(u'\r') || !stored.contains("\r\n"))
        return text.toUtf8();
    return QString(text).replace(u'\n', QLatin1String("\r\n")).toUtf8();
}

int RunZip(const ZipOptionsRecord &options, ZipNameList &names, const QString &password, const QString &comment,
           ZipRunResult &result, QString &message, int threads)
{
    result = {};
    ZipRunner runner(options, names, result, message, threads);
    return runner.run(password, comment);
}

} // namespace ardl
