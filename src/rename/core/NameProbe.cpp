#include "NameProbe.h"

#include <QFile>

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
    std::vector<size_t> ends;
    while (const dirent *entry = ::readdir(dir)) {
        listing.buffer.append(entry->d_name);
        ends.push_back(listing.buffer.size());
    }
    ::closedir(dir);
    // The buffer is complete: views into it stay valid from here on.
    listing.names.reserve(ends.size());
    size_t start = 0;
    for (size_t end : ends) {
        listing.names.insert(std::string_view(listing.buffer).substr(start, end - start));
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
    m_name.resize(m_utf8.requiredSpace(name.size()));
    m_name.resize(m_utf8.appendToBuffer(m_name.data(), name) - m_name.data());
    if (names.read)
        return names.names.count(std::string_view(m_name.constData(), size_t(m_name.size()))) != 0;
    return lstatExists(QFile::encodeName(folder) + m_name);
}

bool NameProbe::sameFile(const QString &a, const QString &b)
{
    struct stat sa, sb;
    return ::lstat(QFile::encodeName(a).constData(), &sa) == 0 && ::lstat(QFile::encodeName(b).constData(), &sb) == 0
           && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

} // namespace ardl
