#include "ZipRecords.h"

namespace ardl {

ExtractParamRecord ExtractParam;
ZipAddParamRecord ZipAddParam;
bool AddConfirmed = false;
bool ExtractConfirmed = false;
bool DeleteConfirmed = false;
bool CommentConfirmed = false;
QString NewFolderName;
bool NewFolderConfirmed = false;

} // namespace ardl
