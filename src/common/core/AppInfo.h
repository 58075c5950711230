#pragma once

#include <QString>

namespace ardl {

// The program's title and version as every title bar shows them.
struct AppInfo {
    static constexpr int Major = 2;
    static constexpr int Minor = 0;
    static constexpr int Revision = 0;

    static QString Title() { return QStringLiteral("Ardelune"); }
    // " v2.0.0"
    static QString VersionText()
    {
        return QStringLiteral(" v%1.%2.%3").arg(Major).arg(Minor).arg(Revision);
    }
    // "Ardelune v2.0.0"
    static QString TitleWithVersion() { return Title() + VersionText(); }
};

} // namespace ardl
