#include "FolderReader.h"

#include "LocalTime.h"

#include <QByteArrayView>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

// Large enough that most folders come in one read of the entries.
constexpr size_t BufferSize = 128 * 1024;

std::atomic<FolderOpenHook> g_openHook{nullptr};

// Closes a descriptor on every way out.
class FdCloser {
public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    ~FdCloser()
    {
        if (m_fd >= 0)
            ::close(m_fd);   // a read-only folder: nothing to lose on close
    }
    FdCloser(const FdCloser &) = delete;
    FdCloser &operator=(const FdCloser &) = delete;

private:
    int m_fd;
};

bool isDotOrDotDot(const char *name)
{
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

} // namespace

bool AppendNativeName(QString &text, const char *bytes, size_t length)
{
    const qsizetype start = text.size();
    size_t i = 0;
    while (i < length && static_cast<unsigned char>(bytes[i]) < 0x80)
        ++i;
    if (i == length) {
        text.resize(start + qsizetype(length));
        QChar *out = text.data() + start;
        for (size_t k = 0; k < length; ++k)
            out[k] = QLatin1Char(bytes[k]);
        return true;
    }
    const QByteArrayView view(bytes, qsizetype(length));
    text += QString::fromUtf8(view);
    return view.isValidUtf8();
}

bool NameLess(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        char16_t ca = a[i].unicode();
        char16_t cb = b[i].unicode();
        if (ca >= u'A' && ca <= u'Z')
            ca += 32;
        if (cb >= u'A' && cb <= u'Z')
            cb += 32;
        if (ca != cb)
            return ca < cb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void SetFolderOpenHook(FolderOpenHook hook)
{
    g_openHook.store(hook);
}

FolderReader::FolderReader(const QString &mask)
    : m_mask(mask), m_buffer(new char[BufferSize])
{
}

FolderReader::~FolderReader() = default;

std::vector<clsFile> ListedFiles(const ListedFolder &folder, const FolderListing &listing)
{
    std::vector<clsFile> files;
    files.reserve(listing.files.size());
    const qsizetype prefix = folder.path.size();
    for (const ListedFile &f : listing.files) {
        QString path(prefix + f.nameLength, Qt::Uninitialized);
        QChar *out = path.data();
        std::copy_n(folder.path.constData(), prefix, out);
        std::copy_n(listing.names.constData() + f.nameAt, f.nameLength, out + prefix);
        files.push_back(clsFile{std::move(path), f.size, LocalDateTimeFromSecs(f.mtime, f.utcOffset), 0, 0, f.raw});
    }
    return files;
}

bool FolderReader::read(const ListedFolder &folder, bool followLink, bool wantFolders, FolderListing &out)
{
    if (const FolderOpenHook hook = g_openHook.load())
        hook(folder.native);
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    const int fd = ::open(folder.native.constData(), flags);
    if (fd < 0) {
        out.error = errno;
        return false;
    }
    FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        out.error = errno;
        return false;
    }
    out.device = st.st_dev;
    out.inode = st.st_ino;
    if (!readEntries(fd, folder, wantFolders, out)) {
        out.names.clear();
        out.files.clear();
        out.folders.clear();
        return false;
    }
    const QChar *names = out.names.constData();
    std::sort(out.files.begin(), out.files.end(), [names](const ListedFile &a, const ListedFile &b) {
        return NameLess(QStringView(names + a.nameAt, a.nameLength), QStringView(names + b.nameAt, b.nameLength));
    });
    // Without the trailing "/": "a" comes before "a-b" as it does for files.
    const qsizetype prefix = folder.path.size();
    std::sort(out.folders.begin(), out.folders.end(), [prefix](const ListedFolder &a, const ListedFolder &b) {
        return NameLess(QStringView(a.path).mid(prefix).chopped(1), QStringView(b.path).mid(prefix).chopped(1));
    });
    return true;
}

bool FolderReader::readEntries(int fd, const ListedFolder &folder, bool wantFolders, FolderListing &out)
{
    for (;;) {
        const ssize_t got = ::getdents64(fd, m_buffer.get(), BufferSize);
        if (got == 0)
            return true;
        if (got < 0) {
            out.error = errno;
            return false;
        }
        for (ssize_t at = 0; at < got;) {
            const auto *e = reinterpret_cast<const struct dirent64 *>(m_buffer.get() + at);
            at += e->d_reclen;
            if (isDotOrDotDot(e->d_name))
                continue;
            const size_t length = std::strlen(e->d_name);
            const qsizetype nameAt = out.names.size();
            const bool exact = AppendNativeName(out.names, e->d_name, length) && folder.exact;
            const QStringView name = QStringView(out.names).mid(nameAt);
            // A name the mask leaves out needs no closer look, unless it may
            // be a folder.
            const bool typeKnown = e->d_type != DT_UNKNOWN;
            struct stat st {};
            const Entry entry = typeKnown && e->d_type != DT_DIR && !m_mask.matches(name)
                ? Entry::Skip
                : classify(fd, e->d_name, e->d_type, st);
            if (entry == Entry::Failed) {
                out.error = errno;
                return false;
            }
            if (entry == Entry::File && (typeKnown || m_mask.matches(name))) {
                ListedFile file{nameAt, name.size(), qint64(st.st_size), qint64(st.st_mtim.tv_sec), {}, {}};
                file.utcOffset = LocalUtcOffset(file.mtime);
                if (!exact)
                    file.raw = folder.native + QByteArray(e->d_name, qsizetype(length));
                out.files.push_back(std::move(file));
                continue;
            }
            if (entry == Entry::Folder && wantFolders) {
                QString path;
                path.reserve(folder.path.size() + name.size() + 1);
                path.append(folder.path).append(name).append(u'/');
                QByteArray native = folder.native;
                native.append(e->d_name, qsizetype(length)).append('/');
                out.folders.push_back(ListedFolder{std::move(path), std::move(native), exact});
            }
            out.names.truncate(nameAt);   // only the files' names are kept
        }
    }
}

// Looks at the file itself only where the entry's type does not say enough:
// a regular file for its size and time, a link for what it points to, an
// entry whose type the file system leaves out.
FolderReader::Entry FolderReader::classify(int dirFd, const char *name, unsigned char type, struct stat &st)
{
    switch (type) {
    case DT_DIR:
        return Entry::Folder;
    case DT_REG:
        break;
    case DT_LNK:
        // A link counts as the file it points to; a link to a folder, a
        // dangling link or one that cannot be followed is left out.
        if (::fstatat(dirFd, name, &st, 0) != 0)
            return Entry::Skip;
        return S_ISREG(st.st_mode) ? Entry::File : Entry::Skip;
    case DT_UNKNOWN:
        if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? Entry::Skip : Entry::Failed;
        if (S_ISDIR(st.st_mode))
            return Entry::Folder;
        if (S_ISLNK(st.st_mode))
            return classify(dirFd, name, DT_LNK, st);
        return S_ISREG(st.st_mode) ? Entry::File : Entry::Skip;
    default:
        return Entry::Skip;   // sockets, pipes and devices are not files to list
    }
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Entry::Skip : Entry::Failed;   // gone since it was listed
    return S_ISREG(st.st_mode) ? Entry::File : Entry::Skip;
}

} // namespace ardl
