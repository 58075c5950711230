#pragma once

#include "FileMask.h"
#include "clsFile.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include <sys/stat.h>
#include <sys/types.h>

namespace ardl {

// A folder as the scan names it.
struct ListedFolder {
    QString path;          // with its trailing "/"
    QByteArray native;     // the same, as the file system spells it
    bool exact = true;     // `path` gives `native` back (valid UTF-8 all along)
};

// A file found in a folder, before it becomes a clsFile.
struct ListedFile {
    qsizetype nameAt = 0;   // where its name starts in FolderListing::names
    qsizetype nameLength = 0;
    qint64 size = 0;
    qint64 mtime = 0;                 // seconds since the epoch
    std::optional<int> utcOffset;     // the local offset from UTC at mtime
    QByteArray raw;                   // the full path's bytes, when the name is not exact
};

// What one folder holds for a scan.
struct FolderListing {
    QString names;                       // the files' names, one after another
    std::vector<ListedFile> files;       // in name order
    std::vector<ListedFolder> folders;   // real sub-folders, in name order
    dev_t device = 0;                    // the folder's identity
    ino_t inode = 0;
    int error = 0;   // errno when the folder could not be read whole; nothing is listed then
};

// Appends the file-system name `bytes` to `text`; false when the bytes are
// not valid UTF-8 (they then show as U+FFFD and cannot be given back).
bool AppendNativeName(QString &text, const char *bytes, size_t length);

// Entry names in the order users expect: without regard to ASCII case, ties
// broken by code, so the order never depends on the file system.
bool NameLess(QStringView a, QStringView b);

// The files of a listing as a collection keeps them: full paths, local
// last-write times.
std::vector<clsFile> ListedFiles(const ListedFolder &folder, const FolderListing &listing);

// Reads one folder at a time: the regular files whose names match the mask
// (links to files included, as the file they point to) and the real
// sub-folders; links to folders, dangling links, sockets, pipes and devices
// are left out. One reader serves one thread.
class FolderReader {
public:
    explicit FolderReader(const QString &mask);
    ~FolderReader();
    FolderReader(const FolderReader &) = delete;
    FolderReader &operator=(const FolderReader &) = delete;

    // Lists `folder` into `out`; false (with out.error set) when it cannot
    // be opened or read. `followLink`: the folder may be reached through a
    // link (only the folder a scan starts from).
    bool read(const ListedFolder &folder, bool followLink, bool wantFolders, FolderListing &out);

private:
    enum class Entry { Skip, File, Folder, Failed };
    static Entry classify(int dirFd, const char *name, unsigned char type, struct stat &st);
    bool readEntries(int fd, const ListedFolder &folder, bool wantFolders, FolderListing &out);

    FileMask m_mask;
    std::unique_ptr<char[]> m_buffer;   // raw directory entries
};

// Called with each folder's path just before a scan opens it, from whichever
// thread reads it; none in the program. Tests set one to change the tree at
// that moment, as another program might.
using FolderOpenHook = void (*)(const QByteArray &nativePath);
void SetFolderOpenHook(FolderOpenHook hook);

} // namespace ardl
