#pragma once

class QComboBox;

namespace ardl {

// Makes `box` an editable box for a path, its list holding recent entries,
// that keeps what is typed as typed. Qt's completer matches the entries
// without regard to case and, on Enter or when the box is left, puts the
// entry it matched in place of the text: here that is another file or
// folder.
void MakePathBox(QComboBox *box);

} // namespace ardl
