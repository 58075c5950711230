#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Debian's zip and unzip as the peers our archives must agree with, and
// test data that compresses or does not.
namespace ardl::test {

struct ToolRun {
    int exitCode = -1;
    QString output;   // standard output and error together
};

// Runs `program` with `arguments` in `folder`, feeding it `input`.
ToolRun RunTool(const QString &program, const QStringList &arguments, const QString &folder = QString(),
                const QByteArray &input = QByteArray());

// `size` bytes that do not compress, the same for the same seed.
QByteArray RandomBytes(qsizetype size, quint32 seed = 1);
// `size` bytes of text that compress well, the same for the same seed.
QByteArray TextBytes(qsizetype size, quint32 seed = 1);

} // namespace ardl::test
