#include "ID3Tag.h"

#include <algorithm>
#include <cstring>

namespace ardl {

namespace {

constexpr char Magic[] = {'T', 'A', 'G'};

// Field copies out of and into the record; each returns where the next
// field starts.
template <std::size_t N>
const char *take(std::array<char, N> &field, const char *from)
{
    std::memcpy(field.data(), from, N);
    return from + N;
}

template <std::size_t N>
char *put(const std::array<char, N> &field, char *to)
{
    std::memcpy(to, field.data(), N);
    return to + N;
}

} // namespace

ID3Tag ID3Tag::FromBytes(const Bytes &bytes)
{
    ID3Tag tag;
    const char *at = bytes.data();
    at = take(tag.Header, at);
    at = take(tag.Title, at);
    at = take(tag.Artist, at);
    at = take(tag.Album, at);
    at = take(tag.Year, at);
    at = take(tag.Comment, at);
    tag.Genre = static_cast<std::uint8_t>(*at);
    return tag;
}

ID3Tag::Bytes ID3Tag::ToBytes() const
{
    Bytes bytes;
    char *at = bytes.data();
    at = put(Header, at);
    at = put(Title, at);
    at = put(Artist, at);
    at = put(Album, at);
    at = put(Year, at);
    at = put(Comment, at);
    *at = static_cast<char>(Genre);
    return bytes;
}

bool ID3Tag::HasHeader() const
{
    return std::equal(Header.begin(), Header.end(), std::begin(Magic));
}

void ID3Tag::SetHeader()
{
    std::copy(std::begin(Magic), std::end(Magic), Header.begin());
}

} // namespace ardl
