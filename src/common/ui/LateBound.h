#pragma once

#include <QVariant>

#include <functional>

class QObject;

// Access to a control of the control library by the names of its properties
// and events: the program knows the controls only through this. Every access
// checks that the name exists on the control; a wrong name is reported as an
// error and changes nothing (setting an unknown name would otherwise quietly
// add a new dynamic property).
namespace ardl {

// Sets the property `name`; false (after the report) when the control has no
// such writable property or the value does not fit it.
bool SetProp(QObject *control, const char *name, const QVariant &value);
// The property `name`; an invalid QVariant (after the report) when the control
// has none.
QVariant GetProp(QObject *control, const char *name);

// Calls `handler` whenever the control raises the event `name` (one of its
// signals, named without arguments: "Click"). The connection ends with
// `context`. False (after the report) when there is no such event.
bool ConnectEvent(QObject *control, const char *name, QObject *context, std::function<void()> handler);

// Mouse events ("MouseDown", "MouseMove", "MouseUp") with their arguments:
// buttons, modifier keys and the position in twips.
using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;
bool ConnectMouseEvent(QObject *control, const char *name, QObject *context, MouseHandler handler);

// Whether the control raises an event of that name (no report).
bool HasEvent(const QObject *control, const char *name);

} // namespace ardl
