#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QString>

namespace ardl::test {

// A real FTP server (Debian's pyftpdlib) on 127.0.0.1, serving `root`, for
// as long as the object lives. The server picks its own free port and greets
// with a banner made for this object alone; the fixture checks the banner
// before it reports the server started, so tests running side by side never
// talk to each other's servers.
class FtpTestServer {
public:
    enum class Access { User, Anonymous };
    static constexpr const char *UserName = "tester";
    static constexpr const char *Password = "s3cret";

    // Starts the server; started() tells whether it accepts connections.
    // With `idleSeconds`, the server closes a control connection left idle
    // that long, as public servers do after a few minutes; with
    // `connectionsPerClient`, it refuses connections beyond that many from
    // one address, as many servers do.
    FtpTestServer(const QString &root, Access access, bool writable, int idleSeconds = 0, int connectionsPerClient = 0);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer &) = delete;
    FtpTestServer &operator=(const FtpTestServer &) = delete;

    bool started() const { return m_started; }
    int port() const { return m_port; }
    QString error() const { return m_error; }
    // The text of this server's greeting.
    const QString &banner() const { return m_banner; }
    // Waits until the server has closed one more control connection for
    // being idle (each close is waited for once); false when none closed
    // within a generous deadline.
    bool waitForIdleClose();
    // The most sessions that were logged in at one moment so far.
    int mostLoggedInAtOnce();

    // A port on 127.0.0.1 that nothing listens on and nothing else can take
    // while the test process runs.
    static int FreePort();

private:
    bool readPort();
    // The next line the server prints, "" when none came before `deadline`.
    QByteArray readLine(const QDeadlineTimer &deadline);
    bool greetsWithOwnBanner() const;

    QProcess m_process;
    QString m_banner;
    int m_port = 0;
    bool m_started = false;
    int m_mostLoggedIn = 0;
    QString m_error;
};

} // namespace ardl::test
