#pragma once

#include "RenameItem.h"
#include "RenameOptions.h"

namespace ardl {

// Applies every rule to one item, in a fixed order: name, numbering,
// extension, letter case, substitution; each step works on the result of the
// one before. Advances options.Counter when numbering is on.
void ApplyRenameRules(RenameItem &item, RenameOptions &options);

// The number as numbering writes it: Counter in decimal, padded with zeros
// on the left to at least `zeroFill` characters, never cut.
QString NumberText(int32_t counter, int zeroFill);

// Capitalize: the first character upper-cased and the rest lower-cased; only
// the first character of the whole text counts, not each word.
QString CapitalizeFirst(const QString &text);

// The numbering run over a list, top to bottom: the counter starts at
// StartNumber and, with InitPerFolder, starts again whenever a row's folder
// differs from the one of the row before.
class NumberingRun {
public:
    explicit NumberingRun(RenameOptions &options);
    // Resets the counter when the folder changes, then applies the rules.
    void apply(RenameItem &item);

private:
    RenameOptions &m_options;
    QString m_previousFolder;
};

} // namespace ardl
