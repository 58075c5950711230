#include "modKoUserControl.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QLocale>
#include <QPointer>
#include <QWidget>

namespace ardl {

void SetFormTopMost(QWidget *form, bool topMost)
{
    if (!form)
        return;
    form->setAttribute(Qt::WA_ShowWithoutActivating);
    // Changing a window flag re-creates a shown window: only do it when needed.
    if (form->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != topMost) {
        const QRect geometry = form->geometry();
        form->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
        form->setGeometry(geometry);
    }
    form->show();
    form->raise();
}

QString GetDecimalSeparator()
{
    // The default locale is the user's, unless the program chose another.
    return QLocale().decimalPoint().left(1);
}

namespace {

constexpr int Backspace = 8;

bool IsDigit(int code)
{
    return code >= '0' && code <= '9';
}

// Upper case of a single character; the code stays when the upper case is not
// one character.
int UpperCode(int code)
{
    const QString upper = QString(QChar(code)).toUpper();
    return upper.size() == 1 ? upper.at(0).unicode() : code;
}

int FrenchDigit(int code)
{
    switch (code) {
    case '&': return '1';
    case 0xE9: return '2';   // é
    case '"': return '3';
    case '\'': return '4';
    case '(': return '5';
    case '-': return '6';
    case 0xE8: return '7';   // è
    case '_': return '8';
    case 0xE7: return '9';   // ç
    case 0xE0: return '0';   // à
    default: return code;
    }
}

int NameTextCode(int code)
{
    static const QString Allowed = QStringLiteral(" -0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    code = UpperCode(code);
    if (code == ',' || code == '\'')
        code = ' ';
    if (code == Backspace || Allowed.contains(QChar(code)))
        return code;
    return 0;
}

} // namespace

void FilterKeyAscii(int &KeyAscii, int mode)
{
    // Codes that are no character at all cannot pass a filter that keeps
    // only some characters; the other modes leave them alone.
    const bool isChar = KeyAscii > 0 && KeyAscii <= 0xFFFF;
    switch (mode) {
    case KeyUpperCase:
        if (isChar)
            KeyAscii = UpperCode(KeyAscii);
        break;
    case KeyFrenchDigits:
        KeyAscii = FrenchDigit(KeyAscii);
        break;
    case KeyDecimal:
        if (!(KeyAscii == Backspace || IsDigit(KeyAscii)
              || (isChar && QString(QChar(KeyAscii)) == GetDecimalSeparator())))
            KeyAscii = 0;
        break;
    case KeyDigits:
        if (!(KeyAscii == Backspace || IsDigit(KeyAscii)))
            KeyAscii = 0;
        break;
    case KeyNameText:
        KeyAscii = isChar ? NameTextCode(KeyAscii) : 0;
        break;
    default:
        break;
    }
}

namespace {

// Ends a wait loop when the form is hidden, closed or destroyed, or when its
// activation reaches the state waited for: lost (`untilActive` false) or
// gained (true).
class ActivationWatch : public QObject {
public:
    ActivationWatch(QWidget *form, QEventLoop *loop, bool untilActive)
        : m_form(form), m_loop(loop), m_untilActive(untilActive)
    {
        form->installEventFilter(this);
        connect(form, &QObject::destroyed, loop, &QEventLoop::quit);
        connect(qApp, &QApplication::focusChanged, this, &ActivationWatch::check);
    }
    ~ActivationWatch() override
    {
        if (m_form)
            m_form->removeEventFilter(this);
    }

    // True when the wait is over.
    bool done() const
    {
        if (!m_form || !m_form->isVisible())
            return true;
        return (QApplication::activeWindow() == m_form) == m_untilActive;
    }
    void check()
    {
        if (done())
            m_loop->quit();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::WindowActivate:
            if (m_untilActive)
                m_loop->quit();
            break;
        case QEvent::WindowDeactivate:
            if (!m_untilActive)
                m_loop->quit();
            break;
        case QEvent::Hide:
        case QEvent::Close:
            m_loop->quit();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_form;
    QEventLoop *m_loop;
    bool m_untilActive;
};

void WaitForActivationState(QWidget *form, bool untilActive)
{
    if (!form)
        return;
    QEventLoop loop;
    ActivationWatch watch(form, &loop, untilActive);
    if (!watch.done())
        loop.exec();
}

} // namespace

void WaitWhileActiveForm(QWidget *form)
{
    WaitForActivationState(form, false);
}

void WaitForActivation(QWidget *form)
{
    WaitForActivationState(form, true);
}

} // namespace ardl
