#include "frmComment.h"

#include "ZipRecords.h"

#include "common/core/StringTable.h"
#include "zip/core/modVbZip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ardl {

frmComment::frmComment(QWidget *parent)
    : QDialog(parent)
    , lblTitle(new QLabel(this))
    , txtComment(new QPlainTextEdit(this))
    , cmdOk(new QPushButton(this))
    , cmdCancel(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmComment"));
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    txtComment->setObjectName(QStringLiteral("txtComment"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    txtComment->setLineWrapMode(QPlainTextEdit::NoWrap);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(txtComment, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    resize(480, 300);

    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    Form_Load();
}

void frmComment::Form_Load()
{
    setWindowTitle(LoadResString(4340));
    lblTitle->setText(LoadResString(4341));
    cmdOk->setText(LoadResString(4342));
    cmdCancel->setText(LoadResString(104));
    txtComment->setPlainText(ZipComment);
}

void frmComment::cmdOk_Click()
{
    ZipComment = txtComment->toPlainText();
    CommentConfirmed = true;
    accept();
}

void frmComment::cmdCancel_Click()
{
    CommentConfirmed = false;
    reject();
}

} // namespace ardl
