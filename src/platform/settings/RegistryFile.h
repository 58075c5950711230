#pragma once

#include "RegValue.h"

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

struct stat;

namespace ardl {

// A registry-like store of keys and typed values kept in one per-user text
// file. Keys exist apart from their values and are addressed by paths with
// "\" between the parts; key paths and value names compare without case, as
// in a registry. The empty value name is the key's default value.
//
// Every change is written at once: the file is locked, read again (so a
// change made meanwhile by another running copy is kept), changed, written to
// a temporary name and renamed into place with mode 0600. Reads go to the
// file again whenever it changed on disk; changes not yet written stay in
// view on top of what was read. A file that cannot be parsed is moved aside
// under a new name and the store starts empty; nothing is lost.
//
// Nothing is written without the lock, nor over a file that could not be
// read. A write that fails is tried once more; its changes stay pending and
// go out with the next write that succeeds. The first failure of the store
// is shown to the user once, with the file's path and the system's reason.
class RegistryFile {
public:
    explicit RegistryFile(const QString &path);

    const QString &path() const { return m_path; }

    bool keyExists(const QString &key);
    // Creates the key and any missing parents; an existing key is left alone.
    void createKey(const QString &key);
    // Writes a value; does nothing and returns false when the key is missing.
    bool setValue(const QString &key, const QString &name, const RegValue &value);
    // A missing key or value gives a missing RegValue.
    RegValue value(const QString &key, const QString &name);

    // While a Batch lives, changes are kept in memory and written together
    // when it ends (one lock, one write): used where a handler stores many
    // values at once.
    class Batch {
    public:
        explicit Batch(RegistryFile &file);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        RegistryFile &m_file;
    };

    // How long a write waits for another copy to release the file.
    void setLockWait(int ms) { m_lockWaitMs = ms; }

    // Where the last unreadable file was moved; empty when none was.
    const QString &setAsidePath() const { return m_setAsidePath; }

    // Turns a key path into its canonical form: "\" separators, no empty parts.
    static QString normaliseKey(const QString &key);

private:
    struct Entry {
        QString name;
        RegValue value;
    };
    struct Key {
        QString path;                       // as first created
        std::map<QString, Entry> values;    // by lower-case name
    };
    struct Change {
        bool createKey = false;
        QString key;
        QString name;
        RegValue value;
    };
    struct Stamp {
        int error = 0;   // errno of a failed look-up other than "no such file"
        bool exists = false;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 mtimeNs = 0;
        bool operator==(const Stamp &) const = default;
    };

    // A failure to report: the string-table text and what fills it.
    struct Failure {
        int textId = 0;
        QString detail;
    };

    static Stamp stampOf(const struct ::stat &st);
    Stamp currentStamp() const;
    void refreshIfChanged();
    bool reload();
    bool setAside();
    bool parse(const QByteArray &data, std::map<QString, Key> &keys) const;
    QByteArray serialise() const;
    bool apply(const Change &change);
    void record(const Change &change);
    void flush();
    bool writePending();
    bool writeFile();
    void fail(int textId, const QString &detail);
    void reportFailure();

    QString m_path;
    std::map<QString, Key> m_keys;   // by lower-case canonical path
    Stamp m_stamp;
    bool m_loaded = false;     // the file as it stands on disk has been read
    bool m_writable = true;    // false once an unparsable file could not be moved aside
    int m_batchDepth = 0;
    std::vector<Change> m_pending;
    QString m_setAsidePath;
    int m_lockWaitMs = 5000;
    Failure m_failure;         // the last one, not yet reported
    bool m_reported = false;   // the user has been told of a failure
};

} // namespace ardl
