#pragma once

#include "ID3FileName.h"
#include "Mp3Run.h"

#include <vector>

namespace ardl {

// Renames each file, in order, to the name its tag gives and ".mp3". A file
// is only ever moved to a free name in its own folder, in one step that
// replaces nothing: a file without a tag, a name that cannot be used or is
// taken, and a refused rename leave the file as it was, with an error. A file
// that has its name already is left alone, as done.
std::vector<Mp3FileResult> RunID3ToFile(const std::vector<Mp3File> &files, const ID3ToFileOptions &options);

// The status line after a run over `files` with these `results`: how many
// files were renamed, already named so and failed, and the first failure with
// its reason.
QString ID3ToFileSummary(const std::vector<Mp3File> &files, const std::vector<Mp3FileResult> &results);

// One file of the run. `listed` holds the full paths of the list's rows:
// a name another row holds is not taken (the list names each file once),
// and a rename updates it.
Mp3FileResult RenameFromTag(const Mp3File &file, const ID3ToFileOptions &options, FilesMet &met, QSet<QString> &listed,
                            FileNameCheck &names);

} // namespace ardl
