// Times the recursive listing of a remote folder tree:
// bench_ftplist HOST PORT USER PASSWORD RUNS OUT. Prints the median time of
// RUNS listings (each with its own login) in seconds and writes the listed
// paths ("/" + relative name), sorted, to OUT. A second line gives the
// median time of 30 listings of one folder on one session, where a stall
// before each data connection would show.
#include "platform/ftp/FtpSession.h"
#include "sync/core/modFtp.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace ardl;

int main(int argc, char **argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: bench_ftplist HOST PORT USER PASSWORD RUNS OUT\n");
        return 2;
    }
    FtpSite site;
    site.Server = QString::fromLocal8Bit(argv[1]);
    site.Port = std::atoi(argv[2]);
    site.User = QString::fromLocal8Bit(argv[3]);
    site.Password = QString::fromLocal8Bit(argv[4]);
    site.Filter = QStringLiteral("*.*");
    site.Recursive = true;
    const int runs = std::max(1, std::atoi(argv[5]));

    std::vector<double> seconds;
    RemoteScan scan;
    for (int i = 0; i < runs; ++i) {
        site.Dir = QStringLiteral("/");
        QElapsedTimer timer;
        timer.start();
        scan = FtpListRemoteFolder(site);
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
        if (!scan.ok) {
            std::fprintf(stderr, "listing failed: %s\n", qPrintable(scan.failure.text));
            return 1;
        }
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%.3f\n", seconds[seconds.size() / 2]);

    std::vector<double> repeated;
    for (int i = 0; i < runs; ++i) {
        FtpSession session;
        if (!session.open(site.Server, site.Port, site.User, site.Password)) {
            std::fprintf(stderr, "login failed: %s\n", qPrintable(session.lastErrorDetail()));
            return 1;
        }
        FtpListing listing;
        QElapsedTimer timer;
        timer.start();
        for (int call = 0; call < 30; ++call) {
            if (!session.list(QStringLiteral("/dir 00/"), listing)) {
                std::fprintf(stderr, "listing failed: %s\n", qPrintable(session.lastErrorDetail()));
                return 1;
            }
        }
        repeated.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(repeated.begin(), repeated.end());
    std::printf("%.3f\n", repeated[repeated.size() / 2]);

    QStringList names;
    for (const RemoteFile &f : scan.files)
        names << u'/' + f.Name;
    names.sort();
    QFile out(QString::fromLocal8Bit(argv[6]));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    for (const QString &name : names)
        out.write(name.toUtf8() + '\n');
    return 0;
}
