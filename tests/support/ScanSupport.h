#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>
#include <functional>
#include <vector>

namespace ardl::test {

// Files and folders made by their exact bytes inside a folder, and removed
// again by them when this goes: the temporary folder's own clean-up cannot
// name what is not UTF-8.
class RawEntries {
public:
    explicit RawEntries(const QString &folder);
    ~RawEntries();
    RawEntries(const RawEntries &) = delete;
    RawEntries &operator=(const RawEntries &) = delete;

    // `name` relative to the folder; returns the full path as bytes.
    QByteArray file(const QByteArray &name, const QByteArray &content, time_t when);
    QByteArray folder(const QByteArray &name);

private:
    QByteArray m_folder;
    std::vector<QByteArray> m_made;
};

// Runs `action` with each folder's path as a folder scan is about to open
// it, for as long as this lives: how a test changes the tree in mid-scan.
// The action may run on any of the scan's threads.
class OnFolderOpen {
public:
    explicit OnFolderOpen(std::function<void(const QByteArray &nativePath)> action);
    ~OnFolderOpen();
    OnFolderOpen(const OnFolderOpen &) = delete;
    OnFolderOpen &operator=(const OnFolderOpen &) = delete;
};

} // namespace ardl::test
