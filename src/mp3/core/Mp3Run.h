#pragma once

#include "modMP3.h"

#include <QSet>
#include <QString>

#include <optional>
#include <vector>

namespace ardl {

// One file of the Mp3 list: its folder (ending with "/") and its name.
struct Mp3File {
    QString folder;
    QString name;
    // The path's bytes when folder and name do not give it back exactly (a
    // name that is not valid UTF-8): such a file is never opened by path().
    QByteArray raw = {};
    QString path() const { return folder + name; }
    bool exact() const { return raw.isEmpty(); }
};

enum class Mp3Outcome {
    Ok,            // the file was renamed or its tag written
    Error,         // nothing was changed: see reason
    Unchanged,     // there was nothing to do
    AlreadyNamed,  // tag to name: the file has the name its tag gives already
};

// What a run did to one file.
struct Mp3FileResult {
    Mp3Outcome outcome = Mp3Outcome::Unchanged;
    QString newName;   // tag to name: the file's name afterwards
    QString reason;    // for an error, in the user's words

    static Mp3FileResult ok(const QString &newName = {}) { return {Mp3Outcome::Ok, newName, {}}; }
    static Mp3FileResult error(const QString &reason) { return {Mp3Outcome::Error, {}, reason}; }
    static Mp3FileResult alreadyNamed() { return {Mp3Outcome::AlreadyNamed, {}, {}}; }
};

// Within one run, tells whether a file was met before under another name
// (a folder listed once directly and once through a link).
class FilesMet {
public:
    // True the first time a file is met.
    bool first(const TagFileId &file);

private:
    QSet<QPair<quint64, quint64>> m_met;
};

// Reads the tag of one file of a run into `tag`; an error result when the
// file's name is not exact, or the file has no tag, cannot be read or was
// met before in the run. `id` gets the file read, when asked for.
std::optional<Mp3FileResult> ReadRunTag(const Mp3File &file, FilesMet &met, ID3Tag &tag,
                                        TagFileId *id = nullptr);

} // namespace ardl
