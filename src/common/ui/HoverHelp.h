#pragma once

class QWidget;

namespace ardl {

// Shows the string-table text `id` in the first panel of the window's status
// bar whenever the pointer moves over `widget` (a control of the control
// library through its MouseMove event, any other widget through its mouse
// moves). The text stays after the pointer leaves, until another replaces it.
void SetHoverHelp(QWidget *widget, int id);

} // namespace ardl
