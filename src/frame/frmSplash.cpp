#include "frmSplash.h"

#include "common/core/AppInfo.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace ardl {

namespace {
constexpr int SplashWidth = 500;
constexpr int SplashHeight = 350;
}

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , img(new QLabel(this))
    , lblCaption(new QLabel(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(SplashWidth, SplashHeight);
    img->setObjectName(QStringLiteral("img"));
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    Form_Load();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    qApp->installEventFilter(this);
}

bool frmSplash::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched != this) {
        const auto *shown = qobject_cast<QWidget *>(watched);
        if (shown && shown->isWindow() && shown->isModal())
            hide();
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::Form_Load()
{
    img->setGeometry(0, 0, width(), height());
    img->setPixmap(QPixmap(QStringLiteral(":/bitmaps/SPLASH.png")));
    lblCaption->setText(AppInfo::TitleWithVersion());
    lblCaption->setStyleSheet(QStringLiteral("color: #f0f4ff; background: transparent;"));
    QFont font = lblCaption->font();
    font.setPointSize(font.pointSize() + 4);
    font.setBold(true);
    lblCaption->setFont(font);
    lblCaption->setAlignment(Qt::AlignCenter);
    lblCaption->setGeometry(0, height() - 56, width(), 36);
}

} // namespace ardl
