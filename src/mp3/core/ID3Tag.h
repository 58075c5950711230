#pragma once

#include "Windows1252.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstddef>
#include <cstdint>

namespace ardl {

// One ID3v1 tag: the last 128 bytes of an MP3 file, fields one after the
// other without gaps: "TAG", title 30, artist 30, album 30, year 4,
// comment 30 (all 30 bytes: a track number stored in its last two is not
// read apart), genre 1. Text fields hold exactly the bytes of the file,
// trailing spaces and NULs included.
struct ID3Tag {
    static constexpr std::size_t Size = 128;
    using Bytes = std::array<char, Size>;

    std::array<char, 3> Header{};
    std::array<char, 30> Title{};
    std::array<char, 30> Artist{};
    std::array<char, 30> Album{};
    std::array<char, 4> Year{};
    std::array<char, 30> Comment{};
    std::uint8_t Genre = 0;

    static ID3Tag FromBytes(const Bytes &bytes);
    Bytes ToBytes() const;
    // The header is "TAG", exactly.
    bool HasHeader() const;
    void SetHeader();

    bool operator==(const ID3Tag &) const = default;
};

// The text of a field, one character per byte, nothing trimmed.
template <std::size_t N>
QString FieldText(const std::array<char, N> &field)
{
    return DecodeWindows1252(field.data(), N);
}

// Sets a field to `text` left-aligned, padded with spaces, cut to its width.
template <std::size_t N>
void SetField(std::array<char, N> &field, QStringView text)
{
    EncodeWindows1252Padded(text, field.data(), N);
}

} // namespace ardl
