#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace ardl {

// Packs the files a synchronisation against a sync file found into one
// archive to carry to the other machine. The caller adds the files with
// AddItem and shows the dialog with exec().
class frmListZip : public QDialog {
    Q_OBJECT
public:
    explicit frmListZip(QWidget *parent = nullptr);

    void AddItem(const QString &fullPath);

    void cmdCreate_Click();
    void cmdAnnuler_Click();

    QListWidget *lstList;
    QPushButton *cmdCreate;
    QPushButton *cmdAnnuler;

private:
    void Form_Load();
};

} // namespace ardl
