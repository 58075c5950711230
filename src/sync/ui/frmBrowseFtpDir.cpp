#include "frmBrowseFtpDir.h"

#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"
#include "common/ui/ListView.h"
#include "common/ui/WaitCursor.h"
#include "platform/ftp/FtpSession.h"
#include "sync/core/SyncMessage.h"
#include "sync/core/modFtp.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace ardl {

namespace {

constexpr int KeyEnter = 13;

// "/pub/doc/" and "pub/doc" both as "/pub/doc"; "" and "/" as "/".
QString folderPath(const QString &typed)
{
    QString path = typed.startsWith(u'/') ? typed : u'/' + typed;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

frmBrowseFtpDir::frmBrowseFtpDir(QWidget *parent)
    : QDialog(parent)
    , txtDir(new QLineEdit(this))
    , LVFtpBrowse(new ListView(this))
    , cmdBrowseFtp(new QPushButton(this))
    , cmdOk(new QPushButton(this))
    , cmdAnnuler(new QPushButton(this))
{
    setObjectName(QStringLiteral("frmBrowseFtpDir"));
    txtDir->setObjectName(QStringLiteral("txtDir"));
    LVFtpBrowse->setObjectName(QStringLiteral("LVFtpBrowse"));
    cmdBrowseFtp->setObjectName(QStringLiteral("cmdBrowseFtp"));
    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdAnnuler->setObjectName(QStringLiteral("cmdAnnuler"));
    cmdBrowseFtp->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
    LVFtpBrowse->setSelectionMode(QAbstractItemView::SingleSelection);
    LVFtpBrowse->setColumns({ListColumn()});
    LVFtpBrowse->header()->hide();
    cmdOk->setDefault(false);
    cmdOk->setAutoDefault(false);
    cmdAnnuler->setAutoDefault(false);
    cmdBrowseFtp->setAutoDefault(false);

    auto *top = new QHBoxLayout;
    top->addWidget(txtDir, 1);
    top->addWidget(cmdBrowseFtp);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdAnnuler);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(LVFtpBrowse, 1);
    layout->addLayout(buttons);
    resize(420, 360);

    txtDir->installEventFilter(this);
    connect(LVFtpBrowse, &ListView::doubleClicked, this, [this] { LVFtpBrowse_DblClick(); });
    connect(cmdBrowseFtp, &QPushButton::clicked, this, [this] { cmdBrowseFtp_Click(); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { cmdOk_Click(); });
    connect(cmdAnnuler, &QPushButton::clicked, this, [this] { cmdAnnuler_Click(); });
}

frmBrowseFtpDir::~frmBrowseFtpDir() = default;

void frmBrowseFtpDir::Form_Load()
{
    setWindowTitle(LoadResString(246));
    cmdOk->setText(LoadResString(103));
    cmdAnnuler->setText(LoadResString(104));
    {
        WaitCursor wait;
        m_connection = FtpConnect(FtpBrowseSite());
    }
    CurrentDir = QStringLiteral("/");
    txtDir->setText(CurrentDir);
    listFolder(txtDir->text());
}

void frmBrowseFtpDir::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    LVFtpBrowse->setColumnWidth(0, qMax(0, LVFtpBrowse->viewport()->width() - 4));
}

void frmBrowseFtpDir::BrowseFtpFolderOnlyDir(colFile &files, const QString &folder)
{
    if (!m_connection || !m_connection->isOpen()) {
        MsgBox(m_connection ? FtpErrorText(*m_connection) : GetInternetErrorText(12029), AppInfo::Title(),
               MsgIcon::Information);
        return;
    }
    FtpListing listing;
    bool listed = false;
    {
        WaitCursor wait;
        listed = m_connection->list(AddSlash(folder), listing);
    }
    if (!listed) {
        MsgBox(FtpErrorText(*m_connection), AppInfo::Title(), MsgIcon::Information);
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    for (const FtpEntry &entry : listing.entries) {
        if (entry.type == FtpEntry::Type::Folder && entry.name != QLatin1String(".")
            && entry.name != QLatin1String(".."))
            files.Add(entry.name, 0, now);
    }
}

void frmBrowseFtpDir::listFolder(const QString &folder)
{
    ListViewModel &rows = LVFtpBrowse->rows();
    rows.clear();
    colFile files;
    BrowseFtpFolderOnlyDir(files, folder);
    const QVariant icon = QVariant(style()->standardIcon(QStyle::SP_DirIcon));
    std::vector<ListRow> added;
    added.reserve(size_t(files.Count()));
    for (const clsFile &f : files) {
        ListRow row;
        row.cells = QStringList{f.Name};
        row.key = f.Name;
        row.icon = icon;
        added.push_back(std::move(row));
    }
    rows.addRows(std::move(added));
}

void frmBrowseFtpDir::LVFtpBrowse_DblClick()
{
    const QModelIndex current = LVFtpBrowse->currentIndex();
    if (!current.isValid())
        return;
    CurrentDir = AddSlash(CurrentDir) + LVFtpBrowse->rows().row(current.row()).key;
    txtDir->setText(CurrentDir);
    listFolder(CurrentDir);
}

void frmBrowseFtpDir::txtDir_KeyPress(int keyAscii)
{
    if (keyAscii != KeyEnter)
        return;
    const QString typed = txtDir->text();
    if (m_connection && m_connection->isOpen() && FtpSetDirectory(*m_connection, folderPath(typed))) {
        CurrentDir = folderPath(typed);
        listFolder(CurrentDir);
        return;
    }
    MsgBox(FormatString(LoadResString(SyncText::RemoteDirMissing), typed), AppInfo::Title(), MsgIcon::Exclamation);
    txtDir->setText(QStringLiteral("/"));
}

void frmBrowseFtpDir::cmdBrowseFtp_Click()
{
    if (CurrentDir.size() < 2)
        return;
    const qsizetype slash = CurrentDir.lastIndexOf(u'/');
    CurrentDir = slash >= 1 ? CurrentDir.left(slash) : QStringLiteral("/");
    txtDir->setText(CurrentDir);
    listFolder(CurrentDir);
}

void frmBrowseFtpDir::cmdOk_Click()
{
    FtpBrowseSite().Dir = txtDir->text();
    accept();
}

void frmBrowseFtpDir::cmdAnnuler_Click()
{
    FtpBrowseSite().Dir.clear();
    reject();
}

bool frmBrowseFtpDir::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtDir && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            txtDir_KeyPress(KeyEnter);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ardl
