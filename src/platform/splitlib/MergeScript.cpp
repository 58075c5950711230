#include "MergeScript.h"

#include <QFile>

namespace ardl {

namespace {

// A file name as a single-quoted shell word, byte for byte.
QByteArray quoted(const QString &name)
{
    QByteArray word = QFile::encodeName(name);
    word.replace('\'', "'\\''");
    return '\'' + word + '\'';
}

// Names go out through printf: the echo of some shells reads backslashes in
// them as escapes. A folder (or a link to one) under the name is refused even
// with -f, as mv would put the file inside it and still report it rebuilt.
const char *const ScriptBody = R"SH(if [ -d "$name" ]; then
  printf 'merge: %s is a folder\n' "$name" >&2
  exit 1
fi
if [ -z "$replace" ] && { [ -e "$name" ] || [ -L "$name" ]; }; then
  printf 'merge: %s exists already; run with -f to replace it\n' "$name" >&2
  exit 1
fi
left=$sizes
for part do
  [ -f "$part" ] || { printf 'merge: cannot find the part %s\n' "$part" >&2; exit 1; }
  want=${left%% *}
  left=${left#* }
  if [ "$(wc -c < "$part")" -ne "$want" ]; then
    printf 'merge: the part %s is not %s bytes long\n' "$part" "$want" >&2
    exit 1
  fi
done
tmp=.kos-merge-$$
trap 'exit 1' HUP INT TERM
# Made new, never a file or link that is there already (nor removed then).
if ! (set -C; : > "$tmp") 2>/dev/null || [ -L "$tmp" ] || [ ! -f "$tmp" ]; then
  printf 'merge: cannot make the file %s in %s\n' "$tmp" "$PWD" >&2
  exit 1
fi
trap 'rm -f -- "$tmp"' EXIT
cat -- "$@" > "$tmp" || exit 1
if [ "$(wc -c < "$tmp")" -ne "$size" ]; then
  printf 'merge: the parts do not add up to %s bytes\n' "$size" >&2
  exit 1
fi
if [ -n "$replace" ]; then
  mv -f -- "$tmp" "$name" || exit 1
elif ! ln -- "$tmp" "$name" 2>/dev/null; then
  # No hard links on this file system: a plain move, after a last look.
  if [ -e "$name" ] || [ -L "$name" ]; then
    printf 'merge: %s exists already; run with -f to replace it\n' "$name" >&2
    exit 1
  fi
  mv -- "$tmp" "$name" || exit 1
fi
printf 'Rebuilt %s (%s bytes) from %s parts\n' "$name" "$size" "$#"
)SH";

} // namespace

QByteArray MergeScriptText(const QString &fileName, const QStringList &parts, const std::vector<qint64> &sizes,
                           qint64 total)
{
    QByteArray text = "#!/bin/sh\n"
                      "# Rebuilds a split file from its parts in this folder: sh THIS-SCRIPT [-f]\n"
                      "# (-f replaces a file of that name if there is one).\n";
    text += "name=" + quoted(fileName) + '\n';
    text += "size=" + QByteArray::number(total) + '\n';
    // Each part's size, in the order of the parts: parts swapped or taken
    // from another split can add up to the right total.
    text += "sizes='";
    for (const qint64 size : sizes)
        text += QByteArray::number(size) + ' ';
    text += "'\n";
    text += "replace=\n"
            "[ \"${1-}\" = -f ] && replace=1\n"
            // $(...) drops the newlines a folder's name may end with: the
            // dot after them keeps them, and is taken off again.
            "dir=$(dirname -- \"$0\"; echo .)\n"
            "cd -- \"${dir%??}\" || exit 1\n";
    text += "set --";
    for (const QString &part : parts)
        text += ' ' + quoted(part);
    text += '\n';
    text += ScriptBody;
    return text;
}

} // namespace ardl
