#include "FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace ardl::fuzz {

const QString &WorkFolder()
{
    static QTemporaryDir folder;
    static const QString path = folder.path();
    return path;
}

void EmptyWorkFolder()
{
    QDir dir(WorkFolder());
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        dir.remove(name);
}

QString WriteInput(const QString &name, const QByteArray &bytes)
{
    const QString path = WorkFolder() + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        Fail("cannot write the input file");
    return path;
}

void Fail(const char *what)
{
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}

} // namespace ardl::fuzz
