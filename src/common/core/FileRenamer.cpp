#include "FileRenamer.h"

#include "common/core/TemporaryFile.h"
#include "common/core/modFile.h"

#include <QFile>
#include <QStringEncoder>
#include <QVarLengthArray>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace ardl {

namespace {

// A path as the system takes it (QFile::encodeName, UTF-8), made on the
// stack: a rename of many files asks for no memory per file.
class NativePath {
public:
    explicit NativePath(const QString &path)
        : m_bytes(QStringEncoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless).requiredSpace(path.size())
                  + 1)
    {
        QStringEncoder utf8(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
        *utf8.appendToBuffer(m_bytes.data(), path) = '\0';
    }
    const char *constData() const { return m_bytes.constData(); }

private:
    QVarLengthArray<char, 1024> m_bytes;
};

int errnoOf(int rc)
{
    return rc == 0 ? 0 : errno;
}

int renameNoReplaceSyscall(const NativePath &from, const NativePath &to)
{
    return errnoOf(::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE));
}

int linkThenUnlink(const NativePath &from, const NativePath &to)
{
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    if (::unlink(from.constData()) != 0) {
        const int error = errno;
        ::unlink(to.constData()); // back to the one name it had
        return error;
    }
    return 0;
}

// For file systems with neither no-replace renames nor hard links: the new
// name is taken first with an exclusive create, so the rename that follows
// can only ever replace our own empty placeholder.
int renameOverPlaceholder(const NativePath &from, const NativePath &to)
{
    const int fd = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ::close(fd);
    if (::rename(from.constData(), to.constData()) != 0) {
        const int error = errno;
        ::unlink(to.constData());
        return error;
    }
    return 0;
}

bool noRenameFlagSupport(int error)
{
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP;
}

bool noHardLinkSupport(int error)
{
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == ENOSYS;
}

} // namespace

int RenameNoReplace(const QString &from, const QString &to, NoReplaceMethod method)
{
    const NativePath src(from);
    const NativePath dst(to);
    switch (method) {
    case NoReplaceMethod::LinkUnlink:
        return linkThenUnlink(src, dst);
    case NoReplaceMethod::Placeholder:
        return renameOverPlaceholder(src, dst);
    case NoReplaceMethod::Auto:
        break;
    }
    int error = renameNoReplaceSyscall(src, dst);
    if (!noRenameFlagSupport(error))
        return error;
    error = linkThenUnlink(src, dst);
    if (!noHardLinkSupport(error))
        return error;
    return renameOverPlaceholder(src, dst);
}

int MoveToTemporaryName(const QString &from, QString &tempPath)
{
    const QString folder = PathWithOutFile(from);
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        tempPath = TemporaryNameIn(folder);
        error = RenameNoReplace(from, tempPath);
    }
    if (error != 0)
        tempPath.clear();
    return error;
}

bool IsCaseOnlyChange(const QString &from, const QString &to)
{
    // Letters are folded one UTF-16 unit for one: texts of different
    // lengths never match.
    if (from.size() != to.size())
        return false;
    const QChar *a = from.constData();
    const QChar *b = to.constData();
    const qsizetype size = from.size();
    qsizetype i = 0;
    while (i < size && a[i] == b[i])
        ++i;
    if (i == size)
        return false;
    // The first difference alone rules out most renames. A surrogate is
    // folded only with the other half of its pair, which may come before
    // it: such names go to the full comparison.
    if (a[i].isSurrogate() || b[i].isSurrogate())
        return from.compare(to, Qt::CaseInsensitive) == 0;
    if (a[i].toCaseFolded() != b[i].toCaseFolded())
        return false;
    return QStringView(a + i, size - i).compare(QStringView(b + i, size - i), Qt::CaseInsensitive) == 0;
}

int MoveFile(const QString &from, const QString &to, QString *where)
{
    QString at = from;
    int error = 0;
    if (!IsCaseOnlyChange(from, to)) {
        error = RenameNoReplace(from, to);
        if (error == 0)
            at = to;
    } else {
        QString temp;
        error = MoveToTemporaryName(from, temp);
        if (error == 0) {
            error = RenameNoReplace(temp, to);
            if (error == 0)
                at = to;
            else if (RenameNoReplace(temp, from) != 0)
                at = temp;
        }
    }
    if (where)
        *where = at;
    return error;
}

QString ErrorText(int error)
{
    // strerror_r: copies run on several threads.
    char buffer[256];
    return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

} // namespace ardl
