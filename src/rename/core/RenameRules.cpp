#include "RenameRules.h"

#include "common/core/modFile.h"
#include "common/core/modGlobal.h"

#include <algorithm>

namespace ardl {

namespace {

void applyNameRule(RenameItem &item, const RenameOptions &o)
{
    switch (o.NameMode) {
    case ModeRemove: item.Name.clear(); break;
    case ModeReplace: item.Name = o.NewName; break;
    case ModeFolderName: item.Name = LastPath(item.Path); break;
    case ModeInsert: {
        QString name;
        name.reserve(o.Prefix.size() + item.Name.size() + o.Suffix.size() + 8);   // room for a number
        item.Name = name.append(o.Prefix).append(item.Name).append(o.Suffix);
        break;
    }
    default: break;
    }
}

void applyNumbering(RenameItem &item, RenameOptions &o)
{
    if (o.NumberMode != ModeNumberBefore && o.NumberMode != ModeNumberAfter)
        return;
    const QString number = NumberText(o.Counter, o.ZeroFill);
    if (o.NumberMode == ModeNumberBefore)
        item.Name.prepend(number);
    else
        item.Name.append(number);
    // Wraps around past the 32-bit range instead of overflowing.
    o.Counter = int32_t(uint32_t(o.Counter) + uint32_t(int32_t(o.Increment)));
}

void applyExtensionRule(RenameItem &item, const RenameOptions &o)
{
    if (o.ExtMode == ModeRemove)
        item.Ext.clear();
    else if (o.ExtMode == ModeFixed)
        item.Ext = o.NewExt;
}

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
}

char16_t asciiLower(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// Letter case of a plain-ASCII text in one pass; other texts go through the
// full Unicode mappings (where one letter may become two).
QString changeCase(const QString &text, int16_t mode)
{
    if (mode != ModeUpper && mode != ModeLower && mode != ModeCapitalize)
        return text;
    if (!isAscii(text)) {
        if (mode == ModeUpper)
            return text.toUpper();
        return mode == ModeLower ? text.toLower() : CapitalizeFirst(text);
    }
    const auto convert = [mode](qsizetype i, char16_t c) {
        const bool upper = mode == ModeUpper || (mode == ModeCapitalize && i == 0);
        return upper ? asciiUpper(c) : asciiLower(c);
    };
    const QChar *from = text.constData();
    qsizetype first = 0;   // the first character that changes
    while (first < text.size() && convert(first, from[first].unicode()) == from[first].unicode())
        ++first;
    if (first == text.size())
        return text;
    QString out(text.size(), Qt::Uninitialized);
    QChar *to = out.data();
    std::copy(from, from + first, to);
    for (qsizetype i = first; i < text.size(); ++i)
        to[i] = convert(i, from[i].unicode());
    return out;
}

// ReplaceWord's first-match replacement, with a quick search for the usual
// case of plain-ASCII texts compared without case.
QString substitute(const QString &name, const QString &find, const QString &replacement, bool matchCase)
{
    if (matchCase || name.isEmpty() || find.isEmpty() || !isAscii(name) || !isAscii(find))
        return ReplaceWord(name, find, replacement, matchCase ? -1 : 0);
    const QChar *text = name.constData();
    const QChar *pattern = find.constData();
    for (qsizetype at = 0; at + find.size() <= name.size(); ++at) {
        qsizetype k = 0;
        while (k < find.size() && asciiLower(text[at + k].unicode()) == asciiLower(pattern[k].unicode()))
            ++k;
        if (k == find.size()) {
            QString out;
            out.reserve(name.size() - find.size() + replacement.size());
            out.append(text, at).append(replacement).append(text + at + k, name.size() - at - k);
            return out;
        }
    }
    return name;
}

} // namespace

QString NumberText(int32_t counter, int zeroFill)
{
    char16_t digits[12];
    int at = 12;
    uint32_t magnitude = counter < 0 ? 0u - uint32_t(counter) : uint32_t(counter);
    do {
        digits[--at] = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (counter < 0)
        digits[--at] = u'-';
    const int length = 12 - at;
    QString number;
    number.reserve(qMax(length, zeroFill));
    if (zeroFill > length)
        number.fill(u'0', zeroFill - length);
    return number.append(reinterpret_cast<const QChar *>(digits + at), length);
}

QString CapitalizeFirst(const QString &text)
{
    if (text.isEmpty())
        return text;
    // A character outside the basic plane is two UTF-16 units.
    const qsizetype first = text.front().isHighSurrogate() && text.size() > 1 ? 2 : 1;
    return text.left(first).toUpper() + text.mid(first).toLower();
}

void ApplyRenameRules(RenameItem &item, RenameOptions &options)
{
    applyNameRule(item, options);
    applyNumbering(item, options);
    applyExtensionRule(item, options);
    if (options.CaseMode != ModeNone) {
        item.Name = changeCase(item.Name, options.CaseMode);
        item.Ext = changeCase(item.Ext, options.CaseMode);
    }
    if (options.Substitute)
        item.Name = substitute(item.Name, options.FindText, options.ReplaceText, options.MatchCase);
}

NumberingRun::NumberingRun(RenameOptions &options)
    : m_options(options)
{
    m_options.Counter = m_options.StartNumber;
}

void NumberingRun::apply(RenameItem &item)
{
    if (m_options.InitPerFolder && item.Path != m_previousFolder)
        m_options.Counter = m_options.StartNumber;
    ApplyRenameRules(item, m_options);
    m_previousFolder = item.Path;
}

} // namespace ardl
