#pragma once

#include <QString>

#include <cstdint>

namespace ardl {

// Mode codes of the four rule groups. They share one number space: 0 means
// "no change" in every group and 1 "remove" for both name and extension.
enum RenameMode : int16_t {
    ModeNone = 0,
    ModeRemove = 1,
    ModeReplace = 2,
    ModeNumberBefore = 3,
    ModeNumberAfter = 4,
    ModeFolderName = 5,
    ModeUpper = 6,
    ModeLower = 7,
    ModeCapitalize = 8,
    ModeInsert = 9,
    ModeFixed = 10,
};

// The rule values the Rename page's controls keep up to date. Everything
// starts at 0, false or "", which is every group on "None".
struct RenameOptions {
    int16_t NameMode = ModeNone;     // none, remove, replace, folder name, insert
    QString NewName;                 // the replacement name
    QString Prefix;                  // put before the name
    QString Suffix;                  // put after the name
    int16_t NumberMode = ModeNone;   // none, number before, number after
    int16_t StartNumber = 0;
    int16_t Increment = 0;
    int16_t ZeroFill = 0;            // minimum width of the number
    int16_t ExtMode = ModeNone;      // none, remove, fixed
    QString NewExt;                  // the fixed extension, without a dot
    int16_t CaseMode = ModeNone;     // none, upper, lower, capitalize
    bool Substitute = false;
    QString FindText;
    QString ReplaceText;
    bool MatchCase = false;
    bool InitPerFolder = false;      // restart numbering in each folder
    int32_t Counter = 0;             // the next number to hand out
};

} // namespace ardl
