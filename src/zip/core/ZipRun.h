#pragma once

#include "modVbZip.h"

namespace ardl {

// The work of one zip run, apart from the module's records so it can run
// for anyone: `message` gathers one line per failure. `threads` 0 uses
// every core.
int RunZip(const ZipOptionsRecord &options, ZipNameList &names, const QString &password,
           const QString &comment, ZipRunResult &result, QString &message, int threads = 0);

// The bytes to store as the archive comment for `text`, the comment being
// `stored` now: the stored bytes themselves when the text is theirs
// unchanged (line ends aside), else the text in UTF-8; a text with "\n"
// line ends alone takes the "\r\n" of a stored comment that has them.
// `changed` says which.
QByteArray CommentBytes(const QString &text, const QByteArray &stored, bool *changed);

} // namespace ardl
