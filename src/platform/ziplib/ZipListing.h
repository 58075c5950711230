#pragma once

#include "ZipEntry.h"

#include <QString>

#include <vector>

// Shared by the reader and the writer; libzip stays behind these files.
struct zip;
struct zip_error;

namespace ardl {

// Every entry of an open archive, in archive order.
std::vector<ZipEntry> ListEntries(zip *za);

// libzip's description of an error, with the system's reason where it has one.
QString ZipErrorText(const zip_error *error);
QString ZipErrorText(int zipCode, int systemCode = 0);
// The last error of an open archive.
QString ArchiveErrorText(zip *za);

} // namespace ardl
