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

const char *const ScriptBody = R"SH(if [ -z "$replace" ] && { [ -e "$name" ] || [ -L "$name" ]; }; then
  echo "merge: $name exists already; run with -f to replace it" >&2
  exit 1
fi
for part do
  [ -f "$part" ] || { echo "merge: cannot find the part $part" >&2; exit 1; }
done
tmp=.kos-merge-$$
trap 'rm -f -- "$tmp"' EXIT
trap 'exit 1' HUP INT TERM
cat -- "$@" > "$tmp" || exit 1
if [ "$(wc -c < "$tmp")" -ne "$size" ]; then
  echo "merge: the parts do not add up to $size bytes" >&2
  exit 1
fi
if [ -n "$replace" ]; then
  mv -f -- "$tmp" "$name" || exit 1
elif ! ln -- "$tmp" "$name" 2>/dev/null; then
  # No hard links on this file system: a plain move, after a last look.
  if [ -e "$name" ] || [ -L "$name" ]; then
    echo "merge: $name exists already; run with -f to replace it" >&2
    exit 1
  fi
  mv -- "$tmp" "$name" || exit 1
fi
echo "Rebuilt $name ($size bytes) from $# parts"
)SH";

} // namespace

QByteArray MergeScriptText(const QString &fileName, const QStringList &parts, qint64 total)
{
    QByteArray text = "#!/bin/sh\n"
                      "# Rebuilds a split file from its parts in this folder: sh THIS-SCRIPT [-f]\n"
                      "# (-f replaces a file of that name if there is one).\n";
    text += "name=" + quoted(fileName) + '\n';
    text += "size=" + QByteArray::number(total) + '\n';
    text += "replace=\n"
            "[ \"${1-}\" = -f ] && replace=1\n"
            "cd \"$(dirname -- \"$0\")\" || exit 1\n";
    text += "set --";
    for (const QString &part : parts)
        text += ' ' + quoted(part);
    text += '\n';
    text += ScriptBody;
    return text;
}

} // namespace ardl
