#include "SplitRun.h"

#include "SplitSizes.h"

#include "common/core/AppInfo.h"
#include "common/core/FileRenamer.h"
#include "common/core/FileVersion.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modFile.h"
#include "common/core/modString.h"
#include "platform/splitlib/CreateExe.h"
#include "platform/splitlib/ReadOnlyFile.h"
#include "platform/splitlib/SplitFile.h"
#include "platform/splitlib/SplitLayout.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <optional>
#include <set>
#include <unistd.h>

namespace ardl {

namespace {

// Texts of the run (string table).
constexpr int MsgSizeNotPositive = 175;
constexpr int MsgNoFile = 176;
constexpr int MsgNoDestination = 177;
constexpr int MsgBadDestination = 178;
constexpr int LineJoinWithScript = 4500;
constexpr int LineMergeProgram = 4501;
constexpr int LineSourceDeleted = 4502;
constexpr int LineMissing = 4503;
constexpr int LineListedTwice = 4504;
constexpr int LineEmpty = 4505;
constexpr int LineWouldReplace = 4506;
constexpr int LineEarlierSplit = 4507;
constexpr int LineFailed = 4508;
constexpr int LineNoMergeProgram = 4509;
constexpr int LineSourceKept = 4510;
constexpr int LineSourceNotDeleted = 4511;
constexpr int AskDeleteEarlierSplit = 4512;
constexpr int MsgSizeTooLarge = 4513;
constexpr int StatusSplitting = 4514;
constexpr int StatusPart = 4515;
constexpr int ReportHeading = 4516;
constexpr int LineNotReached = 4517;
constexpr int ProblemPartSize = 4518;
constexpr int ProblemProgramSize = 4519;
constexpr int LineNotDeleted = 4520;
constexpr int LineStopped = 4521;
constexpr int ProblemSourceChanged = 4522;
constexpr int LineMadeByThisRun = 4523;

constexpr int LineMore = 4800;

constexpr int MaxNamesShown = 10;
constexpr int MaxReportLines = 20;

QString canonical(const QString &path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

// Which file a path names, links followed: two names of one file (a hard
// link, or the same letters in another case where the file system ignores
// case) give one identity, as their paths need not say so.
using FileId = std::pair<quint64, quint64>;

std::optional<FileId> fileId(const QString &path)
{
    const FileVersion version = FileVersion::Of(path);
    if (!version.exists)
        return std::nullopt;
    return FileId{version.device, version.inode};
}

bool taken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString problemText(const SplitProblem &problem)
{
    switch (problem.fault) {
    case SplitFault::System: return ErrorText(problem.sysError);
    case SplitFault::PartSize: return LoadResString(ProblemPartSize);
    case SplitFault::ProgramSize: return LoadResString(ProblemProgramSize);
    case SplitFault::SourceChanged: return LoadResString(ProblemSourceChanged);
    case SplitFault::None: break;
    }
    return QString();
}

QString namesList(const QStringList &paths)
{
    QStringList names;
    for (const QString &path : paths.mid(0, MaxNamesShown))
        names << GetFileName(path);
    if (paths.size() > MaxNamesShown)
        names << QStringLiteral("...");
    return names.join(QStringLiteral(", "));
}

// Removes a file; 0 or the errno value.
int removeFile(const QString &path)
{
    return ::unlink(QFile::encodeName(path).constData()) == 0 ? 0 : errno;
}

class SplitRunner {
public:
    SplitRunner(const SplitRequest &request, const std::function<void(const QString &)> &status)
        : m_request(request)
        , m_status(status)
        , m_dest(AddBackslash(request.destination))
        , m_exe(request.settings.includeExe)
    {
        for (const QString &source : request.sources)
            remember(m_listed, source);
    }

    SplitRunResult run()
    {
        SplitRunResult result;
        if (m_request.sources.isEmpty())
            result.stopMessage = MsgNoFile;
        else if (m_request.destination.isEmpty())
            result.stopMessage = MsgNoDestination;
        else if (!FolderExists(m_request.destination))
            result.stopMessage = MsgBadDestination;
        if (result.stopMessage)
            return result;
        for (const QString &source : m_request.sources) {
            SplitFileReport report;
            report.source = source;
            if (!result.stopMessage) {
                result.stopMessage = splitOne(report);
                if (result.stopMessage)
                    outcome(report, SplitFileReport::Skipped,
                            FormatString(LoadResString(LineStopped), source, LoadResString(result.stopMessage)));
            }
            if (report.outcome == SplitFileReport::NotReached)
                report.text = FormatString(LoadResString(LineNotReached), source);
            result.files.push_back(report);
        }
        return result;
    }

private:
    void tell(const QString &text) const
    {
        if (m_status)
            m_status(text);
    }

    static void outcome(SplitFileReport &report, SplitFileReport::Outcome outcome, const QString &text)
    {
        report.outcome = outcome;
        report.text = text;
    }

    // Splits one source; a message that stops the run, or 0.
    int splitOne(SplitFileReport &report)
    {
        const QString &source = report.source;
        if (!FileExists(source)) {
            outcome(report, SplitFileReport::Skipped, FormatString(LoadResString(LineMissing), source));
            return 0;
        }
        // An entry naming a file that was not there when the run began and
        // is now one of its parts or scripts: splitting (and deleting) it
        // would break the split it belongs to.
        if (const std::optional<FileId> id = fileId(source); id && m_written.count(*id)) {
            outcome(report, SplitFileReport::Skipped, FormatString(LoadResString(LineMadeByThisRun), source));
            return 0;
        }
        if (m_seen.contains(canonical(source))) {
            outcome(report, SplitFileReport::Skipped, FormatString(LoadResString(LineListedTwice), source));
            return 0;
        }
        m_seen.insert(canonical(source));

        const QString fileName = GetFileName(source);
        const SplitName name = SplitName::FromFileName(fileName);
        const qint64 length = QFileInfo(source).size();
        const PartPlan plan = PlanParts(length, m_request.settings, m_exe ? SelfMergeOverhead(name) : 0);
        if (plan.status == PartPlan::NotPositive)
            return MsgSizeNotPositive;
        if (plan.status == PartPlan::Undefined)
            return MsgSizeTooLarge;
        if (plan.count == 0) {
            outcome(report, SplitFileReport::Skipped, FormatString(LoadResString(LineEmpty), source));
            return 0;
        }
        if (!clearTheWay(report, name.base, plan.count))
            return 0;
        write(report, fileName, name, plan);
        return 0;
    }

    // Files with the names this split will give, and further parts of an
    // earlier, longer split: deleted when the user agrees and they are
    // nothing of this run. False when the file is not to be split.
    bool clearTheWay(SplitFileReport &report, const QString &base, qint64 count)
    {
        QStringList inTheWay;
        QStringList names{MergeScriptName(base), MergeProgramName(base)};
        for (qint64 k = 0; k < count; ++k)
            names << PartFileName(base, k);
        for (const QString &name : names) {
            if (taken(m_dest + name))
                inTheWay << m_dest + name;
        }
        for (qint64 k = count; taken(m_dest + PartFileName(base, k)); ++k)
            inTheWay << m_dest + PartFileName(base, k);
        if (inTheWay.isEmpty())
            return true;

        // A file of this run, or a folder (which no split leaves, and which
        // could only fail after other files were deleted), stops it here.
        for (const QString &path : inTheWay) {
            const std::optional<FileId> id = fileId(path);
            const QFileInfo info(path);
            if ((id && (m_listed.count(*id) || m_written.count(*id))) || (info.isDir() && !info.isSymLink())) {
                outcome(report, SplitFileReport::Skipped,
                        FormatString(LoadResString(LineWouldReplace), report.source, path));
                return false;
            }
        }
        const QString question = FormatString(LoadResString(AskDeleteEarlierSplit), GetFileName(report.source),
                                              m_request.destination, namesList(inTheWay));
        if (prompter().message(question, AppInfo::Title(), MsgIcon::Question, MsgButtons::YesNoDefaultNo)
            != MsgAnswer::Yes) {
            outcome(report, SplitFileReport::Skipped,
                    FormatString(LoadResString(LineEarlierSplit), report.source, namesList(inTheWay)));
            return false;
        }
        for (const QString &path : inTheWay) {
            if (const int error = removeFile(path)) {
                outcome(report, SplitFileReport::Failed,
                        FormatString(LoadResString(LineFailed), report.source, path, ErrorText(error)));
                return false;
            }
        }
        return true;
    }

    void write(SplitFileReport &report, const QString &fileName, const SplitName &name, const PartPlan &plan)
    {
        const QString &source = report.source;
        tell(FormatString(LoadResString(StatusSplitting), source));
        SplitFileOptions options;
        options.durable = m_request.deleteSource;
        options.progress = [&](qint64 done, qint64 count) {
            tell(FormatString(LoadResString(StatusPart), source, done, count));
        };
        // Held open to tell, before the source is deleted, that it is still
        // the file that was split.
        const ReadOnlyFile original(source);
        const SplitFileOutput parts =
            SplitFile(source, fileName, m_request.destination, name.base, plan.first, plan.part, options);
        if (!parts.ok()) {
            outcome(report, SplitFileReport::Failed,
                    FormatString(LoadResString(LineFailed), source, parts.problem.path, problemText(parts.problem)));
            return;
        }
        for (const QString &file : parts.parts + QStringList{parts.script})
            remember(m_written, file);

        // What stays, with the size each must have.
        QStringList files = parts.parts;
        std::vector<qint64> sizes = parts.partSizes;
        QString line;
        if (m_exe) {
            const CreateExeOutput program = CreateExe(m_request.mergeProgram, m_request.destination, name,
                                                      parts.partCount(), plan.first, plan.part, options.durable);
            if (!program.ok()) {
                report.files = parts.parts + QStringList{parts.script};
                outcome(report, SplitFileReport::Failed,
                        FormatString(LoadResString(LineNoMergeProgram), source, parts.partCount(),
                                     GetFileName(parts.script), program.problem.path, problemText(program.problem)));
                return;
            }
            remember(m_written, program.program);
            files.front() = program.program;
            sizes.front() = SelfMergeOverhead(name) + parts.partSizes.front();
            line = FormatString(LoadResString(LineMergeProgram), source, parts.partCount(),
                                GetFileName(program.program));
            if (!checked(report, files, sizes, line))
                return;
            // The program carries part 0, and the script is of no more use.
            for (const QString &spare : {parts.parts.front(), parts.script}) {
                if (const int error = removeFile(spare))
                    line = FormatString(LoadResString(LineNotDeleted), line, spare, ErrorText(error));
            }
        } else {
            files << parts.script;
            sizes.push_back(-1);
            line = FormatString(LoadResString(LineJoinWithScript), source, parts.partCount(),
                                GetFileName(parts.script));
            if (!checked(report, files, sizes, line))
                return;
        }
        report.files = files;
        if (m_request.deleteSource) {
            if (original.changed()) {
                outcome(report, SplitFileReport::Failed,
                        FormatString(LoadResString(LineSourceNotDeleted), line, LoadResString(ProblemSourceChanged)));
                return;
            }
            if (const int error = removeFile(source)) {
                outcome(report, SplitFileReport::Failed,
                        FormatString(LoadResString(LineSourceNotDeleted), line, ErrorText(error)));
                return;
            }
            report.sourceDeleted = true;
            line = FormatString(LoadResString(LineSourceDeleted), line);
        }
        outcome(report, SplitFileReport::Split, line);
    }

    // Every file is there with its size (-1: any size); else the report says
    // which is not and the source is kept.
    bool checked(SplitFileReport &report, const QStringList &files, const std::vector<qint64> &sizes,
                 const QString &line)
    {
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QFileInfo file(files[i]);
            if (!file.isFile() || (sizes[size_t(i)] >= 0 && file.size() != sizes[size_t(i)])) {
                report.files = files;
                outcome(report, SplitFileReport::Failed,
                        FormatString(LoadResString(LineSourceKept), line, files[i]));
                return false;
            }
        }
        return true;
    }

    const SplitRequest &m_request;
    const std::function<void(const QString &)> &m_status;
    const QString m_dest;
    const bool m_exe;
    static void remember(std::set<FileId> &files, const QString &path)
    {
        if (const std::optional<FileId> id = fileId(path))
            files.insert(*id);
    }

    std::set<FileId> m_listed;    // every source of the list
    QSet<QString> m_seen;         // sources split or being split
    std::set<FileId> m_written;   // files this run wrote
};

} // namespace

bool SplitRunResult::anyProblem() const
{
    if (stopMessage)
        return true;
    for (const SplitFileReport &file : files) {
        if (file.outcome != SplitFileReport::Split)
            return true;
    }
    return false;
}

SplitRunResult RunSplit(const SplitRequest &request, const std::function<void(const QString &)> &status)
{
    return SplitRunner(request, status).run();
}

QString SplitReportText(const SplitRunResult &result)
{
    qsizetype split = 0;
    QStringList lines, problems, done;
    for (const SplitFileReport &file : result.files) {
        const bool ok = file.outcome == SplitFileReport::Split;
        if (ok)
            ++split;
        lines << file.text;
        (ok ? done : problems) << file.text;
    }
    // A box taller than the screen hides its own button: a long report
    // names the files with a problem first and leaves out the rest.
    if (lines.size() > MaxReportLines) {
        lines = (problems + done).mid(0, MaxReportLines);
        lines << FormatString(LoadResString(LineMore), result.files.size() - MaxReportLines);
    }
    lines.prepend(QString());
    lines.prepend(FormatString(LoadResString(ReportHeading), split, result.files.size()));
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace ardl
