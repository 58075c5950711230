#pragma once

#include <QByteArray>
#include <QString>

#include <ctime>
#include <functional>

namespace ardl::test {

// Writes a file named by its exact bytes (`name`, relative to `folder`) with
// last-write time `when`; returns its full path as bytes.
QByteArray WriteRawFile(const QString &folder, const QByteArray &name, const QByteArray &content, time_t when);
// Makes a folder named by its exact bytes; returns its full path as bytes.
QByteArray MakeRawFolder(const QString &folder, const QByteArray &name);

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
