#pragma once

class QWidget;

namespace ardl {

// Gives the radio buttons that share a parent under `root`, and are in no
// group yet, an exclusive group of their own. Without one, Qt takes the
// options of a frame nested in that parent for part of the same set when it
// decides which option Tab stops at, and the nested options drop out of the
// Tab order. Tab then stops at the chosen option of each group.
void GroupRadioButtons(QWidget *root);

} // namespace ardl
