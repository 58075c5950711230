#include "WaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace ardl {

WaitCursor::WaitCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace ardl
