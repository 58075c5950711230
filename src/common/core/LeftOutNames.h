#pragma once

#include "clsFile.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace ardl {

class colFile;

// A name as a message shows it: its bytes read as UTF-8 where they are
// valid, every other byte and every control character written as "\xFF".
// A name that is not valid UTF-8 then shows which bytes are odd, and never
// reads like the name of another file.
QString ShownName(QByteArrayView bytes);
// A listed file's name for a message: its Name when that is exact, else its
// bytes as above.
QString ShownName(const clsFile &file);

// The names a list leaves out because no text names them exactly, counted,
// with the first kept as an example: the user gets one message for all of
// them, not one per name.
class LeftOutNames {
public:
    // Counts one more name, given as ShownName gives it.
    void add(const QString &shown);
    void add(const LeftOutNames &other);
    int count() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    const QString &example() const { return m_example; }
    // The string-table text `id` ("%s ... for example %s") filled with the
    // count and the example.
    QString message(int id) const;

private:
    int m_count = 0;
    QString m_example;
};

// The text that says names were left out because they are not valid UTF-8.
constexpr int NamesNotExactText = 4051;

// The names of the files of `files` that give their paths back exactly, in
// order; the others are counted in `leftOut`.
QStringList ExactNames(const colFile &files, LeftOutNames &leftOut);

} // namespace ardl
