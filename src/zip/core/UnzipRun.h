#pragma once

#include "modVBUnzBas.h"

namespace ardl {

// The work of one unzip run, apart from the module's records: lists into
// `listing` (when not null) or extracts, asking through the prompter for
// passwords and before replacing files. The entries worked on are those
// `include` and `includeRaw` pick (SelectEntries), every entry when both are
// empty, less those `exclude` picks. `message` gathers the comment (when
// asked for) and one line per failure. Returns 0 on success.
int RunUnzip(const UnzipOptionsRecord &options, const QStringList &include, const QList<QByteArray> &includeRaw,
             const QStringList &exclude, colFile *listing, UnzipRunResult &result, QString &message,
             bool *passwordRefused = nullptr);

} // namespace ardl
