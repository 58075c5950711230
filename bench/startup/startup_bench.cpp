// Measures how long the main window takes from the start of the process to
// being shown (the splash wait left out), and the memory it holds at rest.
#include "frame/frmDirEvaVezi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <ctime>

namespace {

// Milliseconds since the process started, from /proc.
double processAgeMs()
{
    QFile stat(QStringLiteral("/proc/self/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = stat.readAll().split(' ');
    const double startTicks = fields.value(21).toDouble();
    timespec boot {};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowMs = boot.tv_sec * 1000.0 + boot.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QElapsedTimer timer;
    timer.start();
    ardl::frmDirEvaVezi window;
    window.Form_Load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    const double windowMs = timer.nsecsElapsed() / 1e6;
    const double sinceExecMs = processAgeMs();
    QTest::qWait(1000);   // at rest
    std::printf("window load+show: %.1f ms; process start to window shown: %.0f ms (clock tick 10 ms)\n",
                windowMs, sinceExecMs);
    std::printf("memory at rest: RSS %ld KiB, peak %ld KiB\n", statusKb("VmRSS:"), statusKb("VmHWM:"));
    window.close();
    return 0;
}
