#include "Windows1252.h"

#include <QHash>

#include <array>

namespace ardl {

namespace {

// Characters of the bytes 0x80-0x9F. The undefined ones (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) keep their own number so that they survive a round trip.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t characterOf(unsigned char byte)
{
    return byte >= 0x80 && byte <= 0x9F ? HighControls[byte - 0x80] : char16_t(byte);
}

// The bytes 0x80-0x9F by their character, for the characters above 0xFF.
const QHash<char32_t, char> &bytesOfWideCharacters()
{
    static const QHash<char32_t, char> table = [] {
        QHash<char32_t, char> t;
        for (std::size_t i = 0; i < HighControls.size(); ++i) {
            if (HighControls[i] > 0xFF)
                t.insert(HighControls[i], char(0x80 + i));
        }
        return t;
    }();
    return table;
}

} // namespace

QString DecodeWindows1252(const char *bytes, std::size_t count)
{
    QString out(qsizetype(count), Qt::Uninitialized);
    QChar *to = out.data();
    for (std::size_t i = 0; i < count; ++i)
        to[i] = QChar(characterOf(static_cast<unsigned char>(bytes[i])));
    return out;
}

char EncodeWindows1252(char32_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return char(ch);
    if (ch <= 0x9F)   // the control characters that stand for undefined bytes
        return characterOf(static_cast<unsigned char>(ch)) == ch ? char(ch) : '?';
    return bytesOfWideCharacters().value(ch, '?');
}

void EncodeWindows1252Padded(QStringView text, char *out, std::size_t count)
{
    std::size_t n = 0;
    for (auto it = text.begin(); it != text.end() && n < count; ++it) {
        char32_t ch = it->unicode();
        // A pair of surrogates is one character.
        if (it->isHighSurrogate() && it + 1 != text.end() && (it + 1)->isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(*it, *(it + 1));
            ++it;
        }
        out[n++] = EncodeWindows1252(ch);
    }
    for (; n < count; ++n)
        out[n] = ' ';
}

} // namespace ardl
