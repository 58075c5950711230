#pragma once

#include "RenameLogReader.h"
#include "RenamePreview.h"

#include "common/core/ListViewModel.h"

#include <functional>
#include <vector>

namespace ardl {

// The rows of the preview list, one per listed file in the same order:
// new name, new extension, "Ok" or "Err", folder. An "Ok" row is keyed by
// its new full path and shows the icon of the file; an "Err" row has no key
// and no icon, is drawn in `errorColour` and says why in its tooltip.
std::vector<ListRow> PreviewListRows(const RenamePreview &preview, const QVariant &errorColour,
                                     const std::function<QVariant(const QString &path)> &iconOf);

// The rows of the Undo list, one per log entry: the current path, then the
// path to restore; no key.
std::vector<ListRow> UndoListRows(const std::vector<UndoEntry> &entries,
                                  const std::function<QVariant(const QString &path)> &iconOf);

// The log entries the Undo list shows, in its current order.
std::vector<UndoEntry> UndoEntriesOf(const ListViewModel &model);

} // namespace ardl
