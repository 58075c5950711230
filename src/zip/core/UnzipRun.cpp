#include "UnzipRun.h"

#include "EntryNames.h"
#include "ExtractFolder.h"
#include "modVbZip.h"

#include "common/core/AppInfo.h"
#include "common/core/FileVersion.h"
#include "common/core/LeftOutNames.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"
#include "platform/ziplib/KeepAlive.h"
#include "platform/ziplib/ZipReader.h"

#include <QDir>
#include <QHash>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace ardl {

namespace {

constexpr int MsgPasswordPrompt = 250;
constexpr int MsgOverwrite = 251;
constexpr int MsgCannotOpen = 4304;
constexpr int MsgNoSuchEntry = 4307;
constexpr int MsgLeadsOutside = 4320;
constexpr int MsgSymlink = 4321;
constexpr int MsgNoPassword = 4322;
constexpr int MsgNotExtracted = 4323;
constexpr int MsgNoFolder = 4324;
constexpr int MsgWouldReplaceArchive = 4325;
constexpr int MsgReadsLikeAnother = 4751;

// Entries from this size up are written on their own threads.
constexpr qint64 LargeEntry = qint64(1) << 20;

template <typename... Args>
void Say(QString &message, int id, const Args &...args)
{
    message += FormatString(LoadResString(id), args...) + u'\n';
}

// Read and write for everyone, less the umask. The umask can only be read
// by setting it, so this is done once per run, before any thread writes: two
// threads reading it at once could each see the other's 0, and leave it so.
quint32 DefaultFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~quint32(mask);
}

// Permission bits for an extracted file: those the archive keeps for it,
// else the default.
quint32 FileMode(const ZipEntry &entry, quint32 defaultMode)
{
    const quint32 bits = entry.unixMode & 0777;
    return bits != 0 ? bits : defaultMode;
}

// One extraction: every entry is first checked and its questions asked, in
// archive order; then the files are written, those without encryption on
// every core, the encrypted ones after them where a password can be asked.
class Extraction {
public:
    // `opened`: the archive's file as it was before `reader` opened it.
    Extraction(const UnzipOptionsRecord &options, ZipReader &reader, const FileVersion &opened, UnzipRunResult &result,
               QString &message)
        : o(options), reader(reader), archive(opened), result(result), message(message) {}

    bool openTarget();
    void plan(const ZipEntry &entry);
    void run();
    bool passwordRefused() const { return refused; }

private:
    enum class Overwrite { Ask, All, None };
    struct Job {
        const ZipEntry *entry;
        QStringList where;
        bool dropped = false;   // a later entry of the same name replaces it
        bool written = false;
        QString error;
    };
    // Whether to write over what is at `where`: a file there now, or one an
    // earlier entry of this run will put there.
    bool mayReplace(const QStringList &where, const ZipEntry &entry, const Job *earlier);
    bool ask(const QStringList &where);
    // Whether `where` is the archive being read, under this or another of
    // its names (a hard link). A symbolic link there is only replaced.
    bool isTheArchive(const QStringList &where) const;
    void writePlain(ZipReader &source, Job &job, bool onMainThread);
    void writeLocked(Job &job);
    bool askPassword();

    const UnzipOptionsRecord &o;
    ZipReader &reader;
    const FileVersion archive;
    UnzipRunResult &result;
    QString &message;
    const quint32 defaultMode = DefaultFileMode();
    ExtractFolder target;
    QString targetPath;
    Overwrite overwrite = Overwrite::Ask;
    QByteArray password;
    bool refused = false;
    KeepAlive keepAlive {ZipKeepAlive};
    std::vector<Job> jobs;
    QHash<QString, size_t> planned;   // target path -> its job
    QHash<QString, const ZipEntry *> firstFor;   // target path -> the first entry aimed at it
};

bool Extraction::openTarget()
{
    targetPath = QDir::cleanPath(o.ExtractDir);
    QString why;
    if (!target.open(targetPath, &why)) {
        Say(message, MsgNoFolder, o.ExtractDir, why);
        return false;
    }
    return true;
}

bool Extraction::isTheArchive(const QStringList &where) const
{
    return archive.exists && target.probe(where).version.isSameFile(archive);
}

void Extraction::plan(const ZipEntry &entry)
{
    QString why;
    const QStringList parts = SafeEntryParts(entry.name, &why);
    if (parts.isEmpty()) {
        Say(message, MsgLeadsOutside, entry.name, why);
        ++result.failed;
        return;
    }
    if (entry.isFolder) {
        if (o.ndflag && !target.makeFolders(parts, &why)) {
            Say(message, MsgNotExtracted, entry.name, why);
            ++result.failed;
        }
        return;
    }
    if (entry.isSymlink) {
        Say(message, MsgSymlink, entry.name);
        ++result.failed;
        return;
    }
    const QStringList where = o.ndflag ? parts : QStringList(parts.last());
    // The archive is the user's and is still being read: an entry never
    // takes its place, whatever the overwrite answer.
    if (isTheArchive(where)) {
        Say(message, MsgWouldReplaceArchive, entry.name);
        ++result.failed;
        return;
    }
    const QString key = where.join(u'/');
    // Two entries whose names read the same but are not the same bytes are
    // two rows of the listing: the file on disk can be only one of them, so
    // the later one is reported, never written over the first or in its
    // place.
    const ZipEntry *first = firstFor.value(key);
    if (first && first->name == entry.name && first->rawName != entry.rawName) {
        Say(message, MsgReadsLikeAnother, ShownName(entry.rawName));
        ++result.failed;
        return;
    }
    if (!first)
        firstFor.insert(key, &entry);
    const auto earlier = planned.constFind(key);
    Job *earlierJob = earlier != planned.cend() ? &jobs[*earlier] : nullptr;
    if (!mayReplace(where, entry, earlierJob)) {
        ++result.skipped;
        return;
    }
    if (earlierJob)
        earlierJob->dropped = true;
    planned.insert(key, jobs.size());
    jobs.push_back({&entry, where, false, false, QString()});
}

bool Extraction::mayReplace(const QStringList &where, const ZipEntry &entry, const Job *earlier)
{
    if (!earlier && !o.PromptToOverwrite && !o.ExtractOnlyNewer)
        return true;
    ExtractFolder::Existing existing;
    if (earlier) {
        existing.exists = true;
        existing.modifiedSecs = earlier->entry->modifiedSecs;
    } else {
        existing = target.probe(where);
    }
    if (!existing.exists || existing.isFolder)
        return true;   // a folder in the way fails in the write, with its reason
    if (o.ExtractOnlyNewer && existing.modifiedSecs >= entry.modifiedSecs)
        return false;
    if (!o.PromptToOverwrite || overwrite == Overwrite::All)
        return true;
    if (overwrite == Overwrite::None)
        return false;
    return ask(where);
}

bool Extraction::ask(const QStringList &where)
{
    const QString file = targetPath + u'/' + where.join(u'/');
    switch (AskOverwrite(FormatString(LoadResString(MsgOverwrite), file))) {
    case OverwriteYes:
        return true;
    case OverwriteAll:
        overwrite = Overwrite::All;
        return true;
    case OverwriteCancel:
        overwrite = Overwrite::None;
        return false;
    default:   // No, or the question closed: keep this file, ask for the next
        return false;
    }
}

void Extraction::run()
{
    // Large files are written on every core. Small ones go one after the
    // other on this thread: many files created at once in one folder only
    // wait for each other, and reading them ahead on other threads costs
    // more than it saves.
    std::vector<Job *> small;
    std::vector<Job *> large;
    std::vector<Job *> locked;
    for (Job &job : jobs) {
        if (job.dropped)
            continue;
        if (job.entry->encrypted)
            locked.push_back(&job);
        else
            (job.entry->size >= LargeEntry ? large : small).push_back(&job);
    }

    std::atomic<size_t> next {0};
    auto writeLarge = [&](ZipReader &source, bool onMainThread) {
        for (size_t i = next++; i < large.size(); i = next++)
            writePlain(source, *large[i], onMainThread);
    };
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t helpers = std::min(cores, large.size()) - (small.empty() && !large.empty() ? 1 : 0);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < helpers; ++i) {
        threads.emplace_back([&] {
            // Its own handle reads what the run opened, or nothing: an
            // archive put under that name since (the questions take their
            // time) would give other data for the entries planned. What
            // this thread leaves, the interface thread writes.
            ZipReader own;
            if (archive.exists && FileVersion::Of(o.Zip) == archive && own.open(o.Zip, false)
                && FileVersion::Of(o.Zip) == archive)
                writeLarge(own, false);
        });
    }
    for (Job *job : small)
        writePlain(reader, *job, true);
    writeLarge(reader, true);
    for (std::thread &t : threads)
        t.join();
    for (Job *job : locked)
        writeLocked(*job);

    for (const Job &job : jobs) {
        if (job.dropped)
            continue;
        if (job.written) {
            ++result.extracted;
        } else {
            ++result.failed;
            message += job.error + u'\n';
        }
    }
}

void Extraction::writePlain(ZipReader &source, Job &job, bool onMainThread)
{
    const ZipEntry &entry = *job.entry;
    QString readError;
    QString writeError;
    job.written = target.writeFile(job.where, FileMode(entry, defaultMode), entry.modifiedSecs,
        [&](const ExtractFolder::Sink &sink) {
            const auto piece = [&](const char *data, qint64 length) {
                if (onMainThread)
                    keepAlive();
                return sink(data, length);
            };
            return source.readEntry(entry.index, {}, piece, &readError) == ZipReader::ReadResult::Ok;
        },
        &writeError);
    if (!job.written)
        job.error = FormatString(LoadResString(MsgNotExtracted), entry.name,
                                 writeError.isEmpty() ? readError : writeError);
}

bool Extraction::askPassword()
{
    if (refused)
        return false;
    const std::optional<QString> answer =
        prompter().password(LoadResString(MsgPasswordPrompt), AppInfo::Title());
    if (!answer || answer->isEmpty()) {
        refused = true;
        return false;
    }
    password = answer->toUtf8();
    return true;
}

void Extraction::writeLocked(Job &job)
{
    const ZipEntry &entry = *job.entry;
    if (password.isEmpty() && !askPassword()) {
        job.error = FormatString(LoadResString(MsgNoPassword), entry.name);
        return;
    }
    for (;;) {
        ZipReader::ReadResult outcome = ZipReader::ReadResult::Failed;
        QString readError;
        QString writeError;
        job.written = target.writeFile(job.where, FileMode(entry, defaultMode), entry.modifiedSecs,
            [&](const ExtractFolder::Sink &sink) {
                const auto piece = [&](const char *data, qint64 length) {
                    keepAlive();
                    return sink(data, length);
                };
                outcome = reader.readEntry(entry.index, password, piece, &readError);
                return outcome == ZipReader::ReadResult::Ok;
            },
            &writeError);
        if (job.written)
            return;
        const bool passwordProblem = outcome == ZipReader::ReadResult::NeedsPassword
            || outcome == ZipReader::ReadResult::WrongPassword;
        if (passwordProblem && askPassword())
            continue;
        job.error = passwordProblem
            ? FormatString(LoadResString(MsgNoPassword), entry.name)
            : FormatString(LoadResString(MsgNotExtracted), entry.name, writeError.isEmpty() ? readError : writeError);
        return;
    }
}

} // namespace

int RunUnzip(const UnzipOptionsRecord &options, const QStringList &include, const QList<QByteArray> &includeRaw,
             const QStringList &exclude, colFile *listing, UnzipRunResult &result, QString &message,
             bool *passwordRefused)
{
    result = {};
    if (passwordRefused)
        *passwordRefused = false;
    const FileVersion opened = FileVersion::Of(options.Zip);
    ZipReader reader;
    if (!reader.open(options.Zip)) {
        Say(message, MsgCannotOpen, options.Zip, reader.errorText());
        return UnzipNotAnArchive;
    }
    result.opened = true;

    QStringList unmatched;
    std::vector<const ZipEntry *> entries;
    if (include.isEmpty() && includeRaw.isEmpty()) {
        for (const ZipEntry &entry : reader.entries())
            entries.push_back(&entry);
    } else {
        entries = SelectEntries(reader.entries(), include, &unmatched, includeRaw);
    }
    if (!exclude.isEmpty()) {
        const std::vector<const ZipEntry *> left = SelectEntries(reader.entries(), exclude);
        std::erase_if(entries, [&](const ZipEntry *e) { return std::find(left.begin(), left.end(), e) != left.end(); });
    }
    for (const QString &name : unmatched)
        Say(message, MsgNoSuchEntry, name);

    if (options.nvflag) {
        if (options.nzflag)
            message += DecodeArchiveText(reader.rawComment());
        if (listing) {
            listing->reserve(listing->Count() + qsizetype(entries.size()));
            for (const ZipEntry *entry : entries) {
                if (entry->isFolder)
                    continue;
                // An entry whose name text reads like another's keeps its
                // bytes, so the two stay two files.
                const QByteArray raw = entry->nameIsExact() ? QByteArray() : entry->rawName;
                if (listing->AddZip(entry->name, entry->size, entry->modified, entry->ratio(), entry->compressedSize,
                                    raw))
                    ++result.listed;
            }
        }
        return unmatched.isEmpty() ? 0 : UnzipNoSuchEntry;
    }

    Extraction extraction(options, reader, opened, result, message);
    if (!extraction.openTarget())
        return UnzipCannotWrite;
    for (const ZipEntry *entry : entries)
        extraction.plan(*entry);
    extraction.run();
    if (passwordRefused)
        *passwordRefused = extraction.passwordRefused();
    if (!unmatched.isEmpty())
        return UnzipNoSuchEntry;
    return result.failed > 0 ? UnzipSomeFailed : 0;
}

} // namespace ardl
