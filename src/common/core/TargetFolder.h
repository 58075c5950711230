#pragma once

#include <QString>

#include <ctime>
#include <functional>
#include <optional>

namespace ardl {

// A folder that files are copied or written into, never left: a relative
// name is taken one folder at a time, each opened without following links,
// so a link on the way (to a folder elsewhere) stops the write instead of
// leading it out. Every file is written to a temporary name beside its
// target and renamed into place only when complete; a failure leaves the
// target as it was. Errors are errno values (0 for success); a link or a
// file on the way gives ENOTDIR (or ELOOP).
//
// The folder opened last is kept open, so files of one folder in a row cost
// no walk each.
class TargetFolder {
public:
    // `root` is the folder chosen by the user; it may itself be reached
    // through a link. It is opened on first use.
    explicit TargetFolder(const QString &root);
    ~TargetFolder();
    TargetFolder(const TargetFolder &) = delete;
    TargetFolder &operator=(const TargetFolder &) = delete;

    const QString &root() const { return m_root; }

    enum class Entry { Missing, File, Folder, Other };
    // What `relative` ("sub/a.txt") names now. A link counts as a file: it is
    // what a copy would replace. Missing also when a folder on the way is.
    Entry entry(const QString &relative, int *error = nullptr);

    // Copies the file `source` to `relative`, creating missing folders. The
    // copy keeps the source's modification time; it takes the permissions of
    // the file it replaces, or the source's (less the umask) when new.
    int copyFile(const QString &source, const QString &relative);

    // Writes `relative` with what `fill` writes into the open temporary file
    // (it returns 0 or an errno value), creating missing folders. `modified`,
    // when given, becomes the file's modification time.
    using FillFn = std::function<int(int fd)>;
    int writeFile(const QString &relative, const FillFn &fill, const std::optional<timespec> &modified = std::nullopt);

private:
    // The open folder holding `relative`'s last step, made when missing;
    // -1 with the error set when it cannot be had.
    int folderOf(const QString &relative, bool create, int &error);
    int openRoot(int &error);
    // Writes `relative`, a new file with `mode` less the umask.
    int writeEntry(const QString &relative, int mode, const FillFn &fill, const std::optional<timespec> &modified);
    // Writes through a temporary file in `dirFd` and renames it to `name`.
    int writeInto(int dirFd, const QByteArray &name, int mode, const FillFn &fill,
                  const std::optional<timespec> &modified);
    void forgetFolder();

    QString m_root;
    int m_rootFd = -1;
    QString m_folder; // relative path of the folder kept open ("" is the root)
    int m_folderFd = -1;
};

// Copies `source` to `target` through a temporary file beside it, keeping
// the modification time (see TargetFolder::copyFile); the target's folder
// must exist. Returns 0 or an errno value.
int CopyFileSafely(const QString &source, const QString &target);

} // namespace ardl
