#pragma once

#include <QString>
#include <QStringView>

namespace ardl {

// A file-name wildcard as users type them: "*" any run of characters, "?"
// exactly one, letters matched without regard to case. "*.*" matches every
// name, a mask ending in ".*" also matches names without an extension
// ("read*.*" takes "readme"), and a mask ending in "." matches only names
// without one ("*." takes "Makefile" and ".bashrc" but not "a.txt"). An empty
// mask matches every name.
class FileMask {
public:
    explicit FileMask(const QString &mask = QString());

    bool matches(QStringView name) const;
    bool matchesEverything() const { return m_all; }

private:
    static bool globMatch(QStringView pattern, QStringView name);

    QString m_pattern;            // case-folded
    QString m_withoutExtension;   // case-folded; what a name without extension must match
    bool m_all = false;
    bool m_extensionlessOnly = false;
    bool m_alsoExtensionless = false;
};

// True when the file name has an extension: a "." that is neither its first
// nor its last character.
bool HasExtension(QStringView name);

} // namespace ardl
