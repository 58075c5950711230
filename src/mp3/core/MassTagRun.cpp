#include "MassTagRun.h"

namespace ardl {

bool MassTagOptions::any() const
{
    return Title || Artist || Album || Year || Genre || Comment;
}

bool MassTagOptions::apply(ID3Tag &tag) const
{
    if (Title)
        SetField(tag.Title, *Title);
    if (Artist)
        SetField(tag.Artist, *Artist);
    if (Album)
        SetField(tag.Album, *Album);
    if (Year)
        SetField(tag.Year, *Year);
    if (Genre)
        tag.Genre = *Genre;
    if (Comment)
        SetField(tag.Comment, *Comment);
    return any();
}

Mp3FileResult MassTagFile(const Mp3File &file, const MassTagOptions &options, FilesMet &met)
{
    ID3Tag tag;
    const TagIoResult read = ReadID3Tag(file.path(), tag);
    if (!read)
        return Mp3FileResult::error(TagFaultText(read));
    if (!met.first(read.file))
        return ListedTwice();
    if (!options.apply(tag))
        return {};
    const TagIoResult written = WriteID3Tag(file.path(), tag, &read.file);
    return written ? Mp3FileResult::ok() : Mp3FileResult::error(TagFaultText(written));
}

std::vector<Mp3FileResult> RunMassTag(const std::vector<Mp3File> &files, const MassTagOptions &options)
{
    std::vector<Mp3FileResult> results;
    results.reserve(files.size());
    FilesMet met;
    for (const Mp3File &file : files)
        results.push_back(MassTagFile(file, options, met));
    return results;
}

} // namespace ardl
