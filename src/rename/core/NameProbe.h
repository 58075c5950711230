#pragma once

#include "PathIndex.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <memory>

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
        bool read = false; // false: the folder is asked name by name
        // Every name that is valid UTF-8, one after another: a name asked
        // about always is, so the others can never be the one asked about.
        QString buffer;
        PathIndex names; // views into buffer
    };
    Listing &listing(const QString &folder);
    void countPending();
    void readFolder(const QString &folder, Listing &listing) const;

    QHash<QString, int> m_expected;
    QString m_pendingFolder; // expected m_pendingCount more times, not yet in m_expected
    int m_pendingCount = 0;
    QHash<QString, std::shared_ptr<Listing>> m_listings;
    // The folder asked about last: the rows of a folder come one after another.
    QString m_lastFolder;
    Listing *m_lastListing = nullptr;
};

} // namespace ardl
