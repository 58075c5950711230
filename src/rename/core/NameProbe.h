#pragma once

#include <QHash>
#include <QString>
#include <QStringEncoder>
#include <QStringView>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ardl {

// Answers "is this name taken in this folder?" for many names at once.
// A folder asked about many times is read once and its names kept; a folder
// asked about only a few times, or too large for that to pay, is asked name
// by name. Tell it first which folders will be asked about (expect), then ask.
class NameProbe {
public:
    NameProbe();
    ~NameProbe();

    void expect(const QString &folder);
    bool exists(const QString &folder, QStringView name);
    // True when both paths are names of one file (the same inode).
    static bool sameFile(const QString &a, const QString &b);

private:
    struct Listing {
        bool read = false;   // false: the folder is asked name by name
        std::string buffer;
        std::vector<std::string_view> names;   // sorted
    };
    Listing &listing(const QString &folder);
    void readFolder(const QString &folder, Listing &listing) const;

    QStringEncoder m_utf8{QStringEncoder::Utf8};
    QByteArray m_name;   // the name asked about, in UTF-8
    QHash<QString, int> m_expected;
    QHash<QString, std::shared_ptr<Listing>> m_listings;
};

} // namespace ardl
