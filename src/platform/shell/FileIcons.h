#pragma once

#include <QIcon>
#include <QString>
#include <QVariant>

namespace ardl {

// The small icon of a file's type, found from its name alone: the file need
// not exist, so archive entries, sync-file lines and logged names get icons
// too. The type follows the extension; a name without one, or with one no
// program knows, gets the generic file icon. Icons are cached per type.
QIcon SmallFileIcon(const QString &fileName);

// The icon of a list row for `fileName`, as ListRow::icon takes it.
QVariant vbAddFileItemIcon(const QString &fileName);

} // namespace ardl
