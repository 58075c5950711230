#pragma once

#include <QString>

namespace ardl {

// Gives a new widget the object name of the control it stands for, so that
// tests and the layout find it by that name; returns the widget.
template <typename W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

} // namespace ardl
