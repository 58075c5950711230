#pragma once

#include <QString>

class QWidget;

// Routines shared by the controls and their pop-up forms.
namespace ardl {

// Keeps `form` above every other window (true) or lets it drop back among
// them (false). Shows the form where it is, at its size, without making it
// the active window.
void SetFormTopMost(QWidget *form, bool topMost);

// The user's decimal separator (one character).
QString GetDecimalSeparator();

// Key filter modes for FilterKeyAscii.
enum KeyFilterMode {
    KeyUpperCase = 0,       // letters to upper case
    KeyFrenchDigits = 1,    // the unshifted French number row gives digits
    KeyDecimal = 2,         // digits, Backspace and the decimal separator
    KeyDigits = 3,          // digits and Backspace
    KeyNameText = 4,        // upper case letters, digits, space, "-", Backspace
};

// Filters the character code of a pressed key in place by `mode`; a code set
// to 0 means the key is dropped. Unknown modes leave the code alone.
void FilterKeyAscii(int &KeyAscii, int mode);

// Runs the event loop while `form` is the active window, so that a modeless
// pop-up holds up its caller without blocking the program. Returns when
// another window, or none, becomes active, or when the form is hidden,
// closed or destroyed. Other handlers of the program run meanwhile.
void WaitWhileActiveForm(QWidget *form);

// Runs the event loop until `form`, just shown and asked to become active,
// is the active window, or is hidden, closed or destroyed. The caller sees to
// it that a form the window system never activates goes away (frmColor closes
// itself within 300 ms when it is not active).
void WaitForActivation(QWidget *form);

} // namespace ardl
