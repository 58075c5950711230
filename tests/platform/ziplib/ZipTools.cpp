#include "ZipTools.h"

#include <QProcess>

#include <random>

namespace ardl::test {

ToolRun RunTool(const QString &program, const QStringList &arguments, const QString &folder,
                const QByteArray &input)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    ToolRun run;
    if (!process.waitForStarted(10000)) {
        run.output = process.errorString();
        return run;
    }
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(120000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = QString::fromLocal8Bit(process.readAll());
    return run;
}

QByteArray RandomBytes(qsizetype size, quint32 seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(random() & 0xFF);
    return bytes;
}

QByteArray TextBytes(qsizetype size, quint32 seed)
{
    static const char *const words[] = {"alpha", "bravo", "charlie", "delta", "echo", "foxtrot", "golf",
                                        "hotel", "india", "juliet", "kilo", "lima", "mike", "november"};
    std::mt19937 random(seed);
    QByteArray text;
    text.reserve(size + 16);
    while (text.size() < size) {
        text += words[random() % 14];
        text += (random() % 9 == 0) ? '\n' : ' ';
    }
    text.truncate(size);
    return text;
}

} // namespace ardl::test
