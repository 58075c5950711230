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
    TagFileId read;
    if (std::optional<Mp3FileResult> failed = ReadRunTag(file, met, tag, &read))
        return *failed;
    if (!options.apply(tag))
        return {};
    const TagIoResult written = WriteID3Tag(file.path(), tag, &read);
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
