#include "ScanSupport.h"

#include "common/core/FolderReader.h"

#include <QFile>

#include <gtest/gtest.h>

#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

namespace ardl::test {

namespace {

std::mutex g_actionMutex;
std::function<void(const QByteArray &)> g_action;

void runAction(const QByteArray &nativePath)
{
    const std::lock_guard lock(g_actionMutex);
    if (g_action)
        g_action(nativePath);
}

} // namespace

QByteArray WriteRawFile(const QString &folder, const QByteArray &name, const QByteArray &content, time_t when)
{
    const QByteArray p = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(p.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    EXPECT_GE(fd, 0) << p.constData();
    if (fd < 0)
        return p;
    EXPECT_EQ(::write(fd, content.constData(), size_t(content.size())), ssize_t(content.size()));
    ::close(fd);
    const timeval times[2] = {{when, 0}, {when, 0}};
    EXPECT_EQ(::utimes(p.constData(), times), 0);
    return p;
}

QByteArray MakeRawFolder(const QString &folder, const QByteArray &name)
{
    const QByteArray p = QFile::encodeName(folder) + '/' + name;
    EXPECT_EQ(::mkdir(p.constData(), 0700), 0) << p.constData();
    return p;
}

OnFolderOpen::OnFolderOpen(std::function<void(const QByteArray &nativePath)> action)
{
    {
        const std::lock_guard lock(g_actionMutex);
        g_action = std::move(action);
    }
    SetFolderOpenHook(runAction);
}

OnFolderOpen::~OnFolderOpen()
{
    SetFolderOpenHook(nullptr);
    const std::lock_guard lock(g_actionMutex);
    g_action = {};
}

} // namespace ardl::test
