#include "UnzipRun.h"

#include "EntryNames.h"
#include "ExtractFolder.h"
#include "modVbZip.h"

#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"
#include "platform/ziplib/KeepAlive.h"
#include "platform/ziplib/ZipReader.h"

#include <QDir>

#include <sys/stat.h>

#include <algorithm>

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

template <typename... Args>
void Say(QString &message, int id, const Args &...args)
{
    message += FormatString(LoadResString(id), args...) + u'\n';
}

// Permission bits for an extracted file: those the archive keeps for it,
// read and write for everyone (less the umask) when it keeps none.
quint32 FileMode(const ZipEntry &entry)
{
    const quint32 bits = entry.unixMode & 0777;
    if (bits != 0)
        return bits;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~quint32(mask);
}

class Extraction {
public:
    Extraction(const UnzipOptionsRecord &options, ZipReader &reader, UnzipRunResult &result, QString &message)
        : o(options), reader(reader), result(result), message(message) {}

    bool openTarget();
    void extract(const ZipEntry &entry);
    bool passwordRefused() const { return refused; }

private:
    enum class Overwrite { Ask, All, None };
    // Whether to write over the existing file at `parts`.
    bool mayReplace(const QStringList &parts, const ZipEntry &entry);
    bool write(const QStringList &parts, const ZipEntry &entry);
    bool askPassword();

    const UnzipOptionsRecord &o;
    ZipReader &reader;
    UnzipRunResult &result;
    QString &message;
    ExtractFolder target;
    QString targetPath;
    Overwrite overwrite = Overwrite::Ask;
    QByteArray password;
    bool refused = false;
    KeepAlive keepAlive {ZipKeepAlive};
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

void Extraction::extract(const ZipEntry &entry)
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
    if (!mayReplace(where, entry)) {
        ++result.skipped;
        return;
    }
    if (write(where, entry))
        ++result.extracted;
    else
        ++result.failed;
}

bool Extraction::mayReplace(const QStringList &parts, const ZipEntry &entry)
{
    const ExtractFolder::Existing existing = target.probe(parts);
    if (!existing.exists || existing.isFolder)
        return true;   // a folder in the way fails in the write, with its reason
    if (o.ExtractOnlyNewer && existing.modifiedSecs >= entry.modifiedSecs)
        return false;
    if (!o.PromptToOverwrite || overwrite == Overwrite::All)
        return true;
    if (overwrite == Overwrite::None)
        return false;
    const QString file = targetPath + u'/' + parts.join(u'/');
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

bool Extraction::write(const QStringList &parts, const ZipEntry &entry)
{
    if (entry.encrypted && password.isEmpty() && !askPassword()) {
        Say(message, MsgNoPassword, entry.name);
        return false;
    }
    for (;;) {
        ZipReader::ReadResult outcome = ZipReader::ReadResult::Failed;
        QString readError;
        QString writeError;
        const bool written = target.writeFile(parts, FileMode(entry), entry.modifiedSecs,
            [&](const ExtractFolder::Sink &sink) {
                const auto piece = [&](const char *data, qint64 length) {
                    keepAlive();
                    return sink(data, length);
                };
                outcome = reader.readEntry(entry.index, password, piece, &readError);
                return outcome == ZipReader::ReadResult::Ok;
            },
            &writeError);
        if (written)
            return true;
        const bool passwordProblem = outcome == ZipReader::ReadResult::NeedsPassword
            || outcome == ZipReader::ReadResult::WrongPassword;
        if (passwordProblem && askPassword())
            continue;
        if (passwordProblem)
            Say(message, MsgNoPassword, entry.name);
        else
            Say(message, MsgNotExtracted, entry.name, writeError.isEmpty() ? readError : writeError);
        return false;
    }
}

} // namespace

int RunUnzip(const UnzipOptionsRecord &options, const QStringList &include, const QStringList &exclude,
             colFile *listing, UnzipRunResult &result, QString &message, bool *passwordRefused)
{
    result = {};
    if (passwordRefused)
        *passwordRefused = false;
    ZipReader reader;
    if (!reader.open(options.Zip)) {
        Say(message, MsgCannotOpen, options.Zip, reader.errorText());
        return UnzipNotAnArchive;
    }
    result.opened = true;

    QStringList unmatched;
    std::vector<const ZipEntry *> entries;
    if (include.isEmpty()) {
        for (const ZipEntry &entry : reader.entries())
            entries.push_back(&entry);
    } else {
        entries = SelectEntries(reader.entries(), include, &unmatched);
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
                if (listing->AddZip(entry->name, entry->size, entry->modified, entry->ratio(), entry->compressedSize))
                    ++result.listed;
            }
        }
        return unmatched.isEmpty() ? 0 : UnzipNoSuchEntry;
    }

    Extraction extraction(options, reader, result, message);
    if (!extraction.openTarget())
        return UnzipCannotWrite;
    for (const ZipEntry *entry : entries)
        extraction.extract(*entry);
    if (passwordRefused)
        *passwordRefused = extraction.passwordRefused();
    if (!unmatched.isEmpty())
        return UnzipNoSuchEntry;
    return result.failed > 0 ? UnzipSomeFailed : 0;
}

} // namespace ardl
