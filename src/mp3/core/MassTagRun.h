#pragma once

#include "Mp3Run.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace ardl {

// The fields mass tagging sets; an empty optional keeps the file's bytes.
// Texts are stored as they stand: space-padded and cut to the field.
struct MassTagOptions {
    std::optional<QString> Title;
    std::optional<QString> Artist;
    std::optional<QString> Album;
    std::optional<QString> Year;
    std::optional<std::uint8_t> Genre;
    std::optional<QString> Comment;

    bool any() const;
    // Sets the chosen fields of `tag`; true when there was one.
    bool apply(ID3Tag &tag) const;
};

// Sets the chosen fields in the tag of each file, in order. Only a file
// that ends with a tag is written, and only its 128 tag bytes; a file
// without one, or one that cannot be written, gets an error.
std::vector<Mp3FileResult> RunMassTag(const std::vector<Mp3File> &files, const MassTagOptions &options);

// One file of the run.
Mp3FileResult MassTagFile(const Mp3File &file, const MassTagOptions &options, FilesMet &met);

} // namespace ardl
