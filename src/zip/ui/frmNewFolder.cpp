#include "frmNewFolder.h"

#include "ZipRecords.h"

#include "common/core/StringTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardl {

frmNewFolder::frmNewFolder(QWidget *parent)
    : QDialog(parent)
    , lblTitle(new QLabel(this))
    , txtNewFolder(new QLineEdit(this))
    , cmdOk(new QPushButton(this))
    , cmdCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmNewFolder"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    txtNewFolder->setObjectName(QStringLiteral("txtNewFolder"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(txtNewFolder);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmNewFolder::Form_Load()
{
    NewFolderConfirmed = false;
    setWindowTitle(LoadResString(297));
    lblTitle->setText(LoadResString(298));
    cmdOk->setText(LoadResString(208));
    cmdCancel->setText(LoadResString(104));
}

void frmNewFolder::cmdOk_Click()
{
    NewFolderConfirmed = true;
    NewFolderName = txtNewFolder->text();
    accept();
}

void frmNewFolder::cmdCancel_Click()
{
    reject();
}

} // namespace ardl
