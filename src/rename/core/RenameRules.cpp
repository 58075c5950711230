#include "RenameRules.h"

#include "common/core/modFile.h"
#include "common/core/modGlobal.h"

namespace ardl {

namespace {

void applyNameRule(RenameItem &item, const RenameOptions &o)
{
    switch (o.NameMode) {
    case ModeRemove: item.Name.clear(); break;
    case ModeReplace: item.Name = o.NewName; break;
    case ModeFolderName: item.Name = LastPath(item.Path); break;
    case ModeInsert: item.Name = o.Prefix + item.Name + o.Suffix; break;
    default: break;
    }
}

void applyNumbering(RenameItem &item, RenameOptions &o)
{
    if (o.NumberMode != ModeNumberBefore && o.NumberMode != ModeNumberAfter)
        return;
    const QString number = NumberText(o.Counter, o.ZeroFill);
    item.Name = o.NumberMode == ModeNumberBefore ? number + item.Name : item.Name + number;
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

QString changeCase(const QString &text, int16_t mode)
{
    switch (mode) {
    case ModeUpper: return text.toUpper();
    case ModeLower: return text.toLower();
    case ModeCapitalize: return CapitalizeFirst(text);
    default: return text;
    }
}

} // namespace

QString NumberText(int32_t counter, int zeroFill)
{
    const QString digits = QString::number(counter);
    const qsizetype zeros = zeroFill - digits.size();
    return zeros > 0 ? QString(zeros, u'0') + digits : digits;
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
        item.Name = ReplaceWord(item.Name, options.FindText, options.ReplaceText, options.MatchCase ? -1 : 0);
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
