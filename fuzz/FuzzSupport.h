#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace ardl::fuzz {

// The input as bytes.
inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A folder of this process's own for the files a target reads, emptied by
// EmptyWorkFolder() after each input.
const QString &WorkFolder();
void EmptyWorkFolder();

// Writes the input to `name` in the work folder and returns its path.
QString WriteInput(const QString &name, const QByteArray &bytes);

// Ends the run as a finding: libFuzzer keeps the input that led here.
[[noreturn]] void Fail(const char *what);

} // namespace ardl::fuzz
