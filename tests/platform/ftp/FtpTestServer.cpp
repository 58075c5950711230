#include "FtpTestServer.h"

#include <QElapsedTimer>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ardl::test {

namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(quint16(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

bool accepts(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const sockaddr_in addr = loopback(port);
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

} // namespace

int FtpTestServer::FreePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in addr = loopback(0);
    socklen_t len = sizeof addr;
    int port = 0;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) == 0)
        port = ntohs(addr.sin_port);
    ::close(fd);
    return port;
}

FtpTestServer::FtpTestServer(const QString &root, Access access, bool writable)
{
    // Debian's interpreter, the one that sees Debian's pyftpdlib.
    QStringList args{QStringLiteral("-m"), QStringLiteral("pyftpdlib"), QStringLiteral("-i"),
                     QStringLiteral("127.0.0.1"), QStringLiteral("-d"), root};
    if (access == Access::User)
        args << QStringLiteral("-u") << QString::fromLatin1(UserName) << QStringLiteral("-P")
             << QString::fromLatin1(Password);
    if (writable)
        args << QStringLiteral("-w");
    // Another process may take a free port before the server binds it: retry.
    for (int attempt = 0; attempt < 5 && !m_started; ++attempt) {
        m_port = FreePort();
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        QStringList(args) << QStringLiteral("-p") << QString::number(m_port));
        if (!m_process.waitForStarted(5000)) {
            m_error = m_process.errorString();
            return;
        }
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000 && m_process.state() == QProcess::Running) {
            if (accepts(m_port)) {
                m_started = true;
                break;
            }
            QThread::msleep(20);
        }
        if (!m_started) {
            m_error = QStringLiteral("the FTP server did not start");
            m_process.kill();
            m_process.waitForFinished(3000);
        }
    }
}

FtpTestServer::~FtpTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

} // namespace ardl::test
