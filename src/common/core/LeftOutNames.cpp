#include "LeftOutNames.h"

#include "StringTable.h"
#include "colFile.h"
#include "modString.h"

namespace ardl {

namespace {

// The length of the well-formed UTF-8 sequence that starts at `at`, or 0
// when the byte there starts none (overlong forms and surrogates included).
int sequenceLength(QByteArrayView bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (int k = 2; k < length; ++k) {
        if (byte(at + k) < 0x80 || byte(at + k) > 0xBF)
            return 0;
    }
    return length;
}

void appendEscaped(QString &text, unsigned char byte)
{
    text += QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
}

} // namespace

QString ShownName(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        const int length = sequenceLength(bytes, at);
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (length == 0 || (length == 1 && (byte < 0x20 || byte == 0x7F))) {
            appendEscaped(text, byte);
            ++at;
        } else {
            text += QString::fromUtf8(bytes.sliced(at, length));
            at += length;
        }
    }
    return text;
}

QString ShownName(const clsFile &file)
{
    return file.NameIsExact() ? ShownName(file.Name.toUtf8()) : ShownName(file.RawName);
}

void LeftOutNames::add(const QString &shown)
{
    if (m_count++ == 0)
        m_example = shown;
}

void LeftOutNames::add(const LeftOutNames &other)
{
    if (other.isEmpty())
        return;
    if (m_count == 0)
        m_example = other.m_example;
    m_count += other.m_count;
}

QString LeftOutNames::message(int id) const
{
    return FormatString(LoadResString(id), m_count, m_example);
}

QStringList ExactNames(const colFile &files, LeftOutNames &leftOut)
{
    QStringList names;
    names.reserve(files.Count());
    for (const clsFile &file : files) {
        if (file.NameIsExact())
            names << file.Name;
        else
            leftOut.add(ShownName(file.RawName));
    }
    return names;
}

} // namespace ardl
