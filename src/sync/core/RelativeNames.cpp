#include "RelativeNames.h"

#include <QDir>

namespace ardl {

QString NormalizedRoot(const QString &root)
{
    if (root.isEmpty())
        return root;
    const QString clean = QDir::cleanPath(root);
    return clean.endsWith(u'/') ? clean : clean + u'/';
}

QString RelativeName(const QString &path, const QString &normalizedRoot)
{
    return path.startsWith(normalizedRoot) ? path.mid(normalizedRoot.size()) : path;
}

bool IsSafeEntryName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c == QChar(0) || c == u'\r' || c == u'\n')
            return false;
    return true;
}

bool IsSafeRelativePath(const QString &path)
{
    if (path.isEmpty())
        return false;
    for (const QString &step : path.split(u'/'))
        if (!IsSafeEntryName(step))
            return false;
    return true;
}

bool IsSafeLocalPath(const QString &path)
{
    if (path.isEmpty())
        return false;
    for (const QString &step : path.split(u'/'))
        if (step.isEmpty() || step == QLatin1String(".") || step == QLatin1String("..") || step.contains(QChar(0)))
            return false;
    return true;
}

} // namespace ardl
