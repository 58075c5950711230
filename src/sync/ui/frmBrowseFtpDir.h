#pragma once

#include "common/core/colFile.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QPushButton;

namespace ardl {

class FtpSession;
class ListView;

// The remote folder browser: walks the folders of the server named in
// FtpBrowseSite and hands the folder chosen back in its Dir ("" on Cancel).
class frmBrowseFtpDir : public QDialog {
    Q_OBJECT
public:
    explicit frmBrowseFtpDir(QWidget *parent = nullptr);
    ~frmBrowseFtpDir() override;

    // Captions, the connection, and the listing of "/".
    void Form_Load();
    // Adds the sub-folders of the remote `folder` to `files`; tells the
    // user when there is no connection or the folder cannot be listed.
    void BrowseFtpFolderOnlyDir(colFile &files, const QString &folder);

    void LVFtpBrowse_DblClick();
    // Enter in txtDir: goes to the folder typed when the server has it.
    void txtDir_KeyPress(int keyAscii);
    // Up one level.
    void cmdBrowseFtp_Click();
    void cmdOk_Click();
    void cmdAnnuler_Click();

    // The folder listed: "/" or a path from "/" without a trailing "/".
    QString CurrentDir;

    QLineEdit *txtDir;
    ListView *LVFtpBrowse;
    QPushButton *cmdBrowseFtp;
    QPushButton *cmdOk;
    QPushButton *cmdAnnuler;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void listFolder(const QString &folder);

    std::unique_ptr<FtpSession> m_connection;
};

} // namespace ardl
