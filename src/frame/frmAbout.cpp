#include "frmAbout.h"

#include "common/core/AppInfo.h"
#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "platform/settings/modRegistry.h"
#include "platform/shell/modShell32.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>

namespace ardl {

namespace {

// Where the system information tool is registered: the tool's full path, or
// else the folder that holds it.
const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoValue = QStringLiteral("PATH");
const QString SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoLocationValue = QStringLiteral("MSINFO");
const QString SysInfoProgram = QStringLiteral("MSINFO32.EXE");

constexpr int ErrorTitle = 101;   // "Error"
// The number the desktop gives when nothing opens an address.
constexpr int NoProgramForAddress = 31;

constexpr int FormWidth = 382;
constexpr int FormHeight = 236;

} // namespace

const QString frmAbout::SiteURL = QStringLiteral("https://ardelune.tolvern.org/");

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , picIcon(new QLabel(this))
    , lblTitle(new QLabel(this))
    , lblDescription1(new QLabel(this))
    , lblC(new QLabel(this))
    , lblDescription2(new QLabel(this))
    , lblSiteURL(new QLabel(this))
    , cmdOk(new QPushButton(QStringLiteral("OK"), this))
    , cmdSysInfo(new QPushButton(QStringLiteral("&System Info..."), this))
    , m_startProgram([](const QString &program) { return StartProgram(program); })
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(FormWidth, FormHeight);
    setModal(true);

    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(16, 16, 48, 48);
    picIcon->setPixmap(QPixmap(QStringLiteral(":/icons/ardl48.png")));

    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(80, 14, 286, 32);
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setStyleHint(QFont::Serif);
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    lblDescription1->setObjectName(QStringLiteral("lblDescription1"));
    lblDescription1->setGeometry(80, 52, 286, 36);
    lblDescription1->setWordWrap(true);
    lblDescription1->setText(
        QStringLiteral("Rename, undo, split, synchronise, zip and tag your files, all in one window."));
    lblC->setObjectName(QStringLiteral("lblC"));
    lblC->setGeometry(80, 94, 14, 18);
    lblDescription2->setObjectName(QStringLiteral("lblDescription2"));
    lblDescription2->setGeometry(94, 94, 272, 18);
    lblDescription2->setText(QStringLiteral("Tolvern. Free to use and to share."));

    lblSiteURL->setObjectName(QStringLiteral("lblSiteURL"));
    lblSiteURL->setGeometry(80, 120, 286, 18);
    lblSiteURL->setText(SiteURL);
    QPalette link = lblSiteURL->palette();
    link.setColor(QPalette::WindowText, link.color(QPalette::Link));
    lblSiteURL->setPalette(link);
    QFont linkFont = lblSiteURL->font();
    linkFont.setUnderline(true);
    lblSiteURL->setFont(linkFont);
    lblSiteURL->setCursor(Qt::PointingHandCursor);
    lblSiteURL->installEventFilter(this);

    auto *line = new QFrame(this);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    line->setGeometry(8, 150, FormWidth - 16, 2);

    cmdOk->setObjectName(QStringLiteral("cmdOk"));
    cmdOk->setGeometry(262, 162, 108, 28);
    cmdOk->setDefault(true);
    connect(cmdOk, &QPushButton::clicked, this, &QDialog::accept);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(262, 196, 108, 28);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);

    Form_Load();
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + AppInfo::Title());
    lblTitle->setText(AppInfo::TitleWithVersion());
    lblC->setText(QStringLiteral("\u00A9"));
}

bool frmAbout::GetKeyValue(RegistryFile &KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                           QString &KeyVal)
{
    const RegValue value = KeyRoot.keyExists(KeyName) ? KeyRoot.value(KeyName, SubKeyRef) : RegValue();
    switch (value.type()) {
    case REG_NONE:
        KeyVal.clear();
        return false;
    case REG_SZ:
        KeyVal = value.toString();
        break;
    case REG_DWORD:
        // Two digits a byte, so that no two numbers give the same text.
        KeyVal = QStringLiteral("&h")
               + QStringLiteral("%1").arg(static_cast<quint32>(value.toInt()), 8, 16, QLatin1Char('0')).toUpper();
        break;
    }
    return true;
}

void frmAbout::StartSysInfo()
{
    QString SysInfoPath;
    if (GetKeyValue(SettingsStore(), SysInfoKey, SysInfoValue, SysInfoPath)) {
        // The registered path is started as it stands: no shell reads it.
        if (m_startProgram(SysInfoPath))
            return;
    } else if (GetKeyValue(SettingsStore(), SysInfoLocationKey, SysInfoLocationValue, SysInfoPath)) {
        const QString tool = QDir(SysInfoPath).filePath(SysInfoProgram);
        if (QFileInfo(tool).isFile() && m_startProgram(tool))
            return;
    }
    MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), AppInfo::Title(), MsgIcon::None);
}

void frmAbout::setProgramStarter(ProgramStarter start)
{
    m_startProgram = std::move(start);
}

void frmAbout::lblSiteURL_Click()
{
    if (RunShellExecute(QStringLiteral("Open"), SiteURL))
        return;
    MsgBox(LoadResString(ErrorTitle) + QLatin1Char(' ') + QString::number(NoProgramForAddress)
               + QStringLiteral(": No program could open ") + SiteURL + QStringLiteral("\r\n")
               + QStringLiteral("in frmAbout.lblSiteURL_Click.\r\n"),
           LoadResString(ErrorTitle), MsgIcon::Critical);
}

bool frmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblSiteURL && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton
        && lblSiteURL->rect().contains(static_cast<QMouseEvent *>(event)->position().toPoint())) {
        lblSiteURL_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace ardl
