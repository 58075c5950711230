#include "FileVersion.h"

#include <QFile>

#include <sys/stat.h>

namespace ardl {

FileVersion FileVersion::Of(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return Of(st);
}

FileVersion FileVersion::Of(const struct stat &st)
{
    FileVersion version;
    version.exists = true;
    version.device = quint64(st.st_dev);
    version.inode = quint64(st.st_ino);
    version.size = qint64(st.st_size);
    version.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return version;
}

} // namespace ardl
