#pragma once

#include "platform/ziplib/ZipTools.h"
#include "support/TestSupport.h"

#include "common/core/ScriptedPrompter.h"

#include <QStringList>

namespace ardl::test {

// A test of the zip drivers: fresh driver records, scripted answers, and a
// look into archives.
class ZipCoreTest : public TempDirTest {
protected:
    ZipCoreTest();
    ~ZipCoreTest() override;

    QString archive() const { return path(QStringLiteral("a.zip")); }
    // Adds the files (names in the temporary folder) with the options as
    // InitZip leaves them, plus `grow`. Returns the driver's result.
    int zipFiles(const QStringList &names, bool junkFolders = true);
    // Entry names of an archive, in order.
    QStringList entryNames(const QString &zipPath) const;
    QByteArray entryData(const QString &zipPath, const QString &entryName, const QByteArray &password = {}) const;
    // Files below a folder, relative, sorted ("a/b.txt"); links shown as "name@".
    QStringList tree(const QString &folder) const;

    ScriptedPrompter answers;
    ScopedPrompter scoped {answers};
};

} // namespace ardl::test
