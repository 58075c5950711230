#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>

// The single-byte character set of ID3v1 text fields: Latin-1 with the
// printable characters that Windows puts in 0x80-0x9F. Every byte reads as
// one character; the five bytes Windows leaves undefined there read as the
// control characters of the same number, so every byte comes back unchanged.
namespace ardl {

// One character per byte.
QString DecodeWindows1252(const char *bytes, std::size_t count);

// The byte of one character; '?' for a character the set does not hold.
char EncodeWindows1252(char32_t ch);

// Fills `out` with `text` left-aligned, one byte per character (a character
// outside the set becomes '?'), padded on the right with spaces and cut to
// `count` bytes.
void EncodeWindows1252Padded(QStringView text, char *out, std::size_t count);

} // namespace ardl
