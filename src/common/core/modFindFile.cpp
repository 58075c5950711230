#include "modFindFile.h"

#include "ErrorReport.h"
#include "FileMask.h"
#include "LocalTime.h"
#include "modFile.h"

#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ardl {

namespace {

struct FileEntry {
    QString name;
    qint64 size;
    qint64 mtime;
};

struct FolderEntry {
    QString name;
    QByteArray native;   // the name as the file system spells it
};

struct FolderListing {
    std::vector<FileEntry> files;
    std::vector<FolderEntry> folders;
};

// Entry names in the order users expect: without regard to ASCII case, ties
// broken by code, so the order never depends on the file system.
bool nameLess(const QString &a, const QString &b)
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

// One folder being walked: an open directory handle, closed on every way out.
class OpenFolder {
public:
    OpenFolder(const QByteArray &nativePath, bool followLink)
    {
        const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
        const int fd = ::open(nativePath.constData(), flags);
        if (fd < 0)
            return;
        m_dir = ::fdopendir(fd);
        if (!m_dir)
            ::close(fd);
    }
    ~OpenFolder()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    OpenFolder(const OpenFolder &) = delete;
    OpenFolder &operator=(const OpenFolder &) = delete;

    DIR *dir() const { return m_dir; }
    int fd() const { return ::dirfd(m_dir); }

private:
    DIR *m_dir = nullptr;
};

// Reads one folder: the regular files whose names match `mask` (links to
// files included) and, when asked, the real sub-folders. Returns false when
// the folder cannot be opened, or when it was already visited (a folder
// mounted inside itself would otherwise loop).
class FolderReader {
public:
    explicit FolderReader(const QString &mask) : m_mask(mask) {}

    bool read(const QByteArray &nativePath, bool followLink, bool wantFolders, FolderListing &out)
    {
        OpenFolder folder(nativePath, followLink);
        if (!folder.dir() || !firstVisit(folder.fd()))
            return false;
        while (const dirent *e = ::readdir(folder.dir())) {
            if (isDotOrDotDot(e->d_name))
                continue;
            addEntry(folder.fd(), *e, wantFolders, out);
        }
        std::sort(out.files.begin(), out.files.end(),
                  [](const FileEntry &a, const FileEntry &b) { return nameLess(a.name, b.name); });
        std::sort(out.folders.begin(), out.folders.end(),
                  [](const FolderEntry &a, const FolderEntry &b) { return nameLess(a.name, b.name); });
        return true;
    }

private:
    static bool isDotOrDotDot(const char *name)
    {
        return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
    }

    bool firstVisit(int fd)
    {
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            return true;
        return m_visited.emplace(st.st_dev, st.st_ino).second;
    }

    void addEntry(int dirFd, const dirent &e, bool wantFolders, FolderListing &out)
    {
        unsigned char type = e.d_type;
        struct stat st {};
        if (type == DT_UNKNOWN) {
            // Some file systems leave the type out of the listing.
            if (::fstatat(dirFd, e.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                return;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK
                 : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type == DT_DIR) {
            if (wantFolders)
                out.folders.push_back({QString::fromUtf8(e.d_name), QByteArray(e.d_name)});
            return;
        }
        if (type != DT_REG && type != DT_LNK)
            return;   // sockets, pipes and devices are not files to list
        QString name = QString::fromUtf8(e.d_name);
        if (!m_mask.matches(name))
            return;
        // A link counts as the file it points to; a link to a folder or a
        // dangling link is left out.
        const int flags = type == DT_LNK ? 0 : AT_SYMLINK_NOFOLLOW;
        if (::fstatat(dirFd, e.d_name, &st, flags) != 0 || !S_ISREG(st.st_mode))
            return;
        out.files.push_back(FileEntry{std::move(name), qint64(st.st_size), qint64(st.st_mtim.tv_sec)});
    }

    FileMask m_mask;
    std::set<std::pair<dev_t, ino_t>> m_visited;
};

void addFiles(colFile &col, const QString &folder, const std::vector<FileEntry> &files)
{
    QString path;
    for (const FileEntry &f : files) {
        path.reserve(folder.size() + f.name.size());
        path = folder;
        path += f.name;
        col.Add(path, f.size, LocalDateTimeFromSecs(f.mtime));   // a duplicate is simply skipped
    }
}

struct PendingFolder {
    QString path;        // with its trailing "/"
    QByteArray native;   // the same, as the file system spells it
};

// Lists one folder into `col` and puts its sub-folders on `pending`, the
// first one last so that it is walked first.
bool visit(FolderReader &reader, colFile &col, const PendingFolder &folder, bool isTop,
           std::vector<PendingFolder> &pending)
{
    FolderListing listing;
    if (!reader.read(folder.native, isTop, true, listing))
        return false;
    addFiles(col, folder.path, listing.files);
    for (auto it = listing.folders.rbegin(); it != listing.folders.rend(); ++it)
        pending.push_back({folder.path + it->name + u'/', folder.native + it->native + '/'});
    return true;
}

} // namespace

void ScanFolderTree(colFile &col, ScanOptions &opt)
{
    if (opt.Path.isEmpty())
        return;   // never the process's current folder by accident
    FolderReader reader(opt.Mask);
    const QString top = AddBackslash(opt.Path);
    std::vector<PendingFolder> pending;
    if (!visit(reader, col, {top, top.toUtf8()}, true, pending))
        return;
    if (!opt.Recursive) {
        // The sub-folders are still named in turn: the last one stays in Path.
        if (!pending.empty())
            opt.Path = pending.front().path.chopped(1);
        return;
    }
    while (!pending.empty()) {
        const PendingFolder folder = std::move(pending.back());
        pending.pop_back();
        opt.Path = folder.path.chopped(1);
        visit(reader, col, folder, false, pending);
    }
}

void SearchForFilesArray(colFile &col, ScanOptions &opt)
{
    Guarded(QStringLiteral("in modFindFile.SearchForFilesArray."), false, [&] {
        ScanFolderTree(col, opt);
        return true;
    });
}

void GetFileInformation(colFile &col, const ScanOptions &opt)
{
    Guarded(QStringLiteral("in modFindFile.GetFileInformation."), false, [&] {
        if (opt.Path.isEmpty())
            return false;
        const QString folder = AddBackslash(opt.Path);
        FolderReader reader(opt.Mask);
        FolderListing listing;
        if (reader.read(folder.toUtf8(), true, false, listing))
            addFiles(col, folder, listing.files);
        return true;
    });
}

} // namespace ardl
