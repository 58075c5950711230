#include "NameProbe.h"

#include "common/core/FolderReader.h"

#include <QFile>

#include <cstring>

#include <dirent.h>
#include <sys/stat.h>

namespace ardl {

namespace {

// Below this many questions a folder is never read whole.
constexpr int MinQuestionsToRead = 32;
// A directory's size in bytes over this many per question means reading it
// whole would cost more than asking name by name.
constexpr qint64 MaxDirBytesPerQuestion = 512;

bool lstatExists(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
}

} // namespace

NameProbe::NameProbe() = default;
NameProbe::~NameProbe() = default;

void NameProbe::expect(const QString &folder)
{
    // Counted on the side while the same folder comes again and again.
    if (m_pendingCount > 0 && folder == m_pendingFolder) {
        ++m_pendingCount;
        return;
    }
    countPending();
    m_pendingFolder = folder;
    m_pendingCount = 1;
}

void NameProbe::countPending()
{
    if (m_pendingCount > 0)
        m_expected[m_pendingFolder] += m_pendingCount;
    m_pendingCount = 0;
}

NameProbe::Listing &NameProbe::listing(const QString &folder)
{
    std::shared_ptr<Listing> &slot = m_listings[folder];
    if (!slot) {
        countPending();
        slot = std::make_shared<Listing>();
        const int questions = m_expected.value(folder);
        struct stat st;
        if (questions >= MinQuestionsToRead && ::stat(QFile::encodeName(folder).constData(), &st) == 0
            && qint64(st.st_size) <= qint64(questions) * MaxDirBytesPerQuestion)
            readFolder(folder, *slot);
    }
    return *slot;
}

void NameProbe::readFolder(const QString &folder, Listing &listing) const
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return;
    std::vector<qsizetype> ends;
    while (const dirent *entry = ::readdir(dir)) {
        const qsizetype start = listing.buffer.size();
        if (AppendNativeName(listing.buffer, entry->d_name, std::strlen(entry->d_name)))
            ends.push_back(listing.buffer.size());
        else
            listing.buffer.truncate(start);
    }
    ::closedir(dir);
    // The buffer is complete: views into it stay valid from here on.
    listing.names = PathIndex(ends.size());
    qsizetype start = 0;
    for (const qsizetype end : ends) {
        const QStringView name = QStringView(listing.buffer).mid(start, end - start);
        listing.names.insert(name, PathIndex::hashOf(name), 0);
        start = end;
    }
    listing.read = true;
}

bool NameProbe::exists(const QString &folder, QStringView name)
{
    if (!m_lastListing || folder != m_lastFolder) {
        m_lastListing = &listing(folder);
        m_lastFolder = folder;
    }
    const Listing &names = *m_lastListing;
    if (names.read)
        return names.names.find(name, PathIndex::hashOf(name)) >= 0;
    return lstatExists(QFile::encodeName(QString(folder).append(name)));
}

bool NameProbe::sameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return ::lstat(QFile::encodeName(a).constData(), &sa) == 0 && ::lstat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace ardl
