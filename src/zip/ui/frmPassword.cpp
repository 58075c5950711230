#include "frmPassword.h"

#include "common/core/StringTable.h"
#include "zip/core/modVbZip.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace ardl {

frmPassword::frmPassword(QWidget *parent)
    : QDialog(parent)
    , Image1(new QLabel(this))
    , lblTitle(new QLabel(this))
    , txtPassword(new QLineEdit(this))
    , chkMask(new QCheckBox(this))
    , cmdOk(new QPushButton(this))
    , cmdCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmPassword"));
    Image1->setObjectName(QStringLiteral("Image1"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    chkMask->setObjectName(QStringLiteral("chkMask"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    const QIcon key = QIcon::fromTheme(QStringLiteral("dialog-password"),
                                       style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    Image1->setPixmap(key.pixmap(32, 32));

    auto *layout = new QGridLayout(this);
    layout->addWidget(Image1, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(lblTitle, 0, 1);
    layout->addWidget(txtPassword, 1, 1);
    layout->addWidget(chkMask, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons, 3, 0, 1, 2);
    cmdOk->setDefault(true);

    connect(chkMask, &QCheckBox::clicked, this, [this] { chkMask_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmPassword::Form_Load()
{
    ZipPassword.clear();
    setWindowTitle(LoadResString(242));
    lblTitle->setText(LoadResString(250));
    chkMask->setText(LoadResString(296));
    cmdOk->setText(LoadResString(208));
    cmdCancel->setText(LoadResString(104));
    chkMask->setChecked(true);
    chkMask_Click();
}

void frmPassword::chkMask_Click()
{
    txtPassword->setEchoMode(chkMask->isChecked() ? QLineEdit::Password : QLineEdit::Normal);
    txtPassword->setFocus();
}

void frmPassword::cmdOk_Click()
{
    ZipPassword = txtPassword->text();
    accept();
}

void frmPassword::cmdCancel_Click()
{
    reject();
}

} // namespace ardl
