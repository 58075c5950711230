#include "FtpTestServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRandomGenerator>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

namespace ardl::test {

namespace {

constexpr int StartMs = 30000; // generous: the machine may be loaded

// The server: binds a port of its own choice, prints it, then serves. It
// prints "closed idle" each time it has closed a control connection left
// idle, so a test waits for that instead of for a time, and "logged in N"
// at each login, N the sessions logged in at that moment. A failed login is
// answered at once (pyftpdlib waits 3 s by default), and the short poll lets
// the server's own timers fire on time.
const char *const ServerScript = R"(
import sys
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
root, user, password, writable, banner, idle, most = sys.argv[1:8]
perm = "elradfmwMT" if writable == "1" else "elr"
authorizer = DummyAuthorizer()
if user:
    authorizer.add_user(user, password, root, perm=perm)
else:
    authorizer.add_anonymous(root, perm=perm)
class Handler(FTPHandler):
    idle_closing = False
    counted = False
    logged_in = 0
    def handle_timeout(self):
        self.idle_closing = True
        super().handle_timeout()
    def on_login(self, username):
        self.counted = True
        Handler.logged_in += 1
        print("logged in %d" % Handler.logged_in, flush=True)
    def close(self):
        was_open = not self._closed
        super().close()
        if was_open and self.counted:
            Handler.logged_in -= 1
        if was_open and self.idle_closing:
            print("closed idle", flush=True)
Handler.authorizer = authorizer
Handler.auth_failed_timeout = 0
Handler.banner = banner
if int(idle) > 0:
    Handler.timeout = int(idle)
server = FTPServer(("127.0.0.1", 0), Handler)
server.max_cons_per_ip = int(most)
print(server.socket.getsockname()[1], flush=True)
server.serve_forever(timeout=0.05)
)";

sockaddr_in loopback(int port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(quint16(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return addr;
}

// The first line the server at `port` sends, "" when none came in time.
QByteArray greeting(int port, int timeoutMs)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return {};
    QByteArray line;
    const sockaddr_in addr = loopback(port);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0) {
        QDeadlineTimer deadline(timeoutMs);
        pollfd p{fd, POLLIN, 0};
        char c = 0;
        while (!line.endsWith('\n') && ::poll(&p, 1, int(deadline.remainingTime())) == 1 && ::read(fd, &c, 1) == 1)
            line += c;
    }
    ::close(fd);
    return line.trimmed();
}

} // namespace

int FtpTestServer::FreePort()
{
    // Bound but not listening: a connection is refused, and no server can
    // be given the port while the socket stays open (to the process's end).
    static std::vector<int> held;
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 0;
    sockaddr_in addr = loopback(0);
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
        ::close(fd);
        return 0;
    }
    held.push_back(fd);
    return ntohs(addr.sin_port);
}

FtpTestServer::FtpTestServer(const QString &root, Access access, bool writable, int idleSeconds,
                             int connectionsPerClient)
    : m_banner(QStringLiteral("ardl test server %1-%2")
                   .arg(QCoreApplication::applicationPid())
                   .arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0')))
{
    const bool user = access == Access::User;
    m_process.setStandardErrorFile(QProcess::nullDevice());
    // Debian's interpreter, the one that sees Debian's pyftpdlib.
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-c"), QString::fromLatin1(ServerScript), root,
                     user ? QString::fromLatin1(UserName) : QString(), user ? QString::fromLatin1(Password) : QString(),
                     writable ? QStringLiteral("1") : QStringLiteral("0"), m_banner, QString::number(idleSeconds),
                     QString::number(connectionsPerClient)});
    if (!m_process.waitForStarted(StartMs)) {
        m_error = m_process.errorString();
        return;
    }
    if (!readPort())
        return;
    if (!greetsWithOwnBanner()) {
        m_error = QStringLiteral("the server on port %1 is not this test's own").arg(m_port);
        return;
    }
    m_started = true;
}

QByteArray FtpTestServer::readLine(const QDeadlineTimer &deadline)
{
    while (!m_process.canReadLine()) {
        if (m_process.state() != QProcess::Running || deadline.hasExpired())
            return {};
        m_process.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 1000)));
    }
    return m_process.readLine().trimmed();
}

bool FtpTestServer::readPort()
{
    const QByteArray line = readLine(QDeadlineTimer(StartMs));
    if (line.isEmpty()) {
        m_error = QStringLiteral("the FTP server did not start");
        return false;
    }
    bool ok = false;
    m_port = line.toInt(&ok);
    if (!ok || m_port <= 0) {
        m_error = QStringLiteral("the FTP server gave no port");
        return false;
    }
    return true;
}

bool FtpTestServer::waitForIdleClose()
{
    const QDeadlineTimer deadline(StartMs);
    for (QByteArray line = readLine(deadline); !line.isEmpty(); line = readLine(deadline))
        if (line == "closed idle")
            return true;
    return false;
}

int FtpTestServer::mostLoggedInAtOnce()
{
    // Each line is written while its login is answered, before the server
    // reads another command: once every session has been used after its
    // login, all their lines are there to read.
    while (m_process.waitForReadyRead(0)) {}
    while (m_process.canReadLine()) {
        const QByteArray line = m_process.readLine().trimmed();
        if (line.startsWith("logged in "))
            m_mostLoggedIn = qMax(m_mostLoggedIn, line.mid(10).toInt());
    }
    return m_mostLoggedIn;
}

bool FtpTestServer::greetsWithOwnBanner() const
{
    return greeting(m_port, StartMs) == "220 " + m_banner.toUtf8();
}

FtpTestServer::~FtpTestServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

} // namespace ardl::test
