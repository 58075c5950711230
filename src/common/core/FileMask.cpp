#include "FileMask.h"

namespace ardl {

bool HasExtension(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 && dot < name.size() - 1;
}

FileMask::FileMask(const QString &mask)
{
    const QString m = mask.trimmed().toCaseFolded();
    if (m.isEmpty() || m == QLatin1String("*") || m == QLatin1String("*.*")) {
        m_all = true;
        return;
    }
    m_pattern = m;
    if (m.endsWith(QLatin1String(".*"))) {
        m_alsoExtensionless = true;
        m_withoutExtension = m.chopped(2);
    } else if (m.endsWith(u'.')) {
        m_extensionlessOnly = true;
        m_withoutExtension = m;
        while (m_withoutExtension.endsWith(u'.'))
            m_withoutExtension.chop(1);
    }
}

bool FileMask::matches(QStringView name) const
{
    if (m_all)
        return true;
    if (m_extensionlessOnly)
        return !HasExtension(name) && globMatch(m_withoutExtension, name);
    if (globMatch(m_pattern, name))
        return true;
    return m_alsoExtensionless && !HasExtension(name) && globMatch(m_withoutExtension, name);
}

// Greedy match that backs up to the last "*" on a mismatch: linear in
// practice, never exponential.
bool FileMask::globMatch(QStringView pattern, QStringView name)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starP = -1;
    qsizetype starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size()
                   && (pattern[p] == u'?' || pattern[p] == name[n].toCaseFolded())) {
            ++p;
            ++n;
        } else if (starP >= 0) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace ardl
