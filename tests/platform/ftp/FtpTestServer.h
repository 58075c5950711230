#pragma once

#include <QProcess>
#include <QString>

namespace ardl::test {

// A real FTP server (Debian's pyftpdlib) on 127.0.0.1 at a free port,
// serving `root`, for as long as the object lives.
class FtpTestServer {
public:
    enum class Access { User, Anonymous };
    static constexpr const char *UserName = "tester";
    static constexpr const char *Password = "s3cret";

    // Starts the server; started() tells whether it accepts connections.
    FtpTestServer(const QString &root, Access access, bool writable);
    ~FtpTestServer();
    FtpTestServer(const FtpTestServer &) = delete;
    FtpTestServer &operator=(const FtpTestServer &) = delete;

    bool started() const { return m_started; }
    int port() const { return m_port; }
    QString error() const { return m_error; }

    // A port on 127.0.0.1 that nothing listens on.
    static int FreePort();

private:
    QProcess m_process;
    int m_port = 0;
    bool m_started = false;
    QString m_error;
};

} // namespace ardl::test
