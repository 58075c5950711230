#include "RegistryFile.h"

#include "common/core/Prompter.h"
#include "common/core/StringTable.h"
#include "common/core/modString.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <utility>

#include <sys/stat.h>

namespace ardl {

namespace {

// Makes `folder` and any missing parents; on failure `why` is the system's
// reason.
bool makeFolders(const QString &folder, QString *why)
{
    const QByteArray path = QFile::encodeName(QDir::cleanPath(folder));
    for (qsizetype slash = path.indexOf('/', 1);; slash = path.indexOf('/', slash + 1)) {
        const QByteArray part = slash < 0 ? path : path.left(slash);
        struct stat st {};
        if (::stat(part.constData(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) {
                *why = qt_error_string(ENOTDIR);
                return false;
            }
        } else if (::mkdir(part.constData(), 0777) != 0 && errno != EEXIST) {
            *why = qt_error_string(errno);
            return false;
        }
        if (slash < 0)
            return true;
    }
}

constexpr auto kHeader = "; Ardelune settings: keys in [brackets], then \"name\"=value lines;\n"
                         "; @ is a key's default value. Texts are quoted, numbers are dword:hex.\n";

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size() + 2);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '"': out += QLatin1String("\\\""); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default: out += c;
        }
    }
    return out;
}

// Reads a quoted text starting at `pos` (on the opening quote). On success
// `pos` is left just after the closing quote.
bool readQuoted(const QString &line, qsizetype &pos, QString &out)
{
    if (pos >= line.size() || line[pos] != u'"')
        return false;
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
        const QChar c = line[pos];
        if (c == u'"') {
            ++pos;
            return true;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size())
            return false;
        switch (line[pos].unicode()) {
        case '\\': out += u'\\'; break;
        case '"': out += u'"'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        default: return false;
        }
    }
    return false;
}

bool readValue(const QString &text, RegValue &value)
{
    if (text.startsWith(u'"')) {
        qsizetype pos = 0;
        QString s;
        if (!readQuoted(text, pos, s) || pos != text.size())
            return false;
        value = RegValue::text(s);
        return true;
    }
    if (text.startsWith(QLatin1String("dword:"))) {
        const QString hex = text.mid(6);
        bool ok = false;
        const uint n = hex.toUInt(&ok, 16);
        if (!ok || hex.isEmpty() || hex.size() > 8)
            return false;
        value = RegValue::dword(static_cast<qint32>(n));
        return true;
    }
    return false;
}

QString uniqueAsideName(const QString &path)
{
    const QString base = path + QLatin1String(".unreadable-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    QString name = base;
    for (int i = 2; QFileInfo::exists(name); ++i)
        name = base + u'-' + QString::number(i);
    return name;
}

} // namespace

RegistryFile::RegistryFile(const QString &path)
    : m_path(path)
{
}

QString RegistryFile::normaliseKey(const QString &key)
{
    QString k = key;
    k.replace(u'/', u'\\');
    return k.split(u'\\', Qt::SkipEmptyParts).join(u'\\');
}

bool RegistryFile::keyExists(const QString &key)
{
    refreshIfChanged();
    return m_keys.count(normaliseKey(key).toLower()) != 0;
}

void RegistryFile::createKey(const QString &key)
{
    refreshIfChanged();
    Change c;
    c.createKey = true;
    c.key = normaliseKey(key);
    if (c.key.isEmpty())
        return;
    apply(c);
    record(c);
}

bool RegistryFile::setValue(const QString &key, const QString &name, const RegValue &value)
{
    refreshIfChanged();
    Change c;
    c.key = normaliseKey(key);
    c.name = name;
    c.value = value;
    if (!apply(c))
        return false;
    record(c);
    return true;
}

RegValue RegistryFile::value(const QString &key, const QString &name)
{
    refreshIfChanged();
    const auto k = m_keys.find(normaliseKey(key).toLower());
    if (k == m_keys.end())
        return RegValue();
    const auto v = k->second.values.find(name.toLower());
    return v == k->second.values.end() ? RegValue() : v->second.value;
}

bool RegistryFile::apply(const Change &change)
{
    if (change.createKey) {
        const QStringList parts = change.key.split(u'\\');
        QString path;
        for (const QString &part : parts) {
            path = path.isEmpty() ? part : path + u'\\' + part;
            Key &k = m_keys[path.toLower()];
            if (k.path.isEmpty())
                k.path = path;
        }
        return true;
    }
    const auto k = m_keys.find(change.key.toLower());
    if (k == m_keys.end())
        return false;
    Entry &e = k->second.values[change.name.toLower()];
    if (e.name.isEmpty())
        e.name = change.name;
    e.value = change.value;
    return true;
}

void RegistryFile::record(const Change &change)
{
    m_pending.push_back(change);
    if (m_batchDepth == 0)
        flush();
}

RegistryFile::Batch::Batch(RegistryFile &file)
    : m_file(file)
{
    ++m_file.m_batchDepth;
}

RegistryFile::Batch::~Batch()
{
    if (--m_file.m_batchDepth == 0)
        m_file.flush();
}

RegistryFile::Stamp RegistryFile::stampOf(const struct stat &st)
{
    Stamp s;
    s.exists = true;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.mtimeNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return s;
}

RegistryFile::Stamp RegistryFile::currentStamp() const
{
    struct stat st {};
    if (::stat(QFile::encodeName(m_path).constData(), &st) == 0)
        return stampOf(st);
    Stamp s;
    if (errno != ENOENT)
        s.error = errno;
    return s;
}

void RegistryFile::refreshIfChanged()
{
    if (!m_loaded || currentStamp() != m_stamp) {
        reload();
        reportFailure();
    }
}

// Reads the file as it stands, then puts the changes not yet written back on
// top. When the file cannot be read, what was known stays in view and the
// next access tries again.
bool RegistryFile::reload()
{
    Stamp stamp = currentStamp();
    std::map<QString, Key> keys;
    if (stamp.error != 0) {
        m_loaded = false;
        fail(4001, qt_error_string(stamp.error));
        return false;
    }
    if (stamp.exists) {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly)) {
            m_loaded = false;
            fail(4001, file.errorString());
            return false;
        }
        // The stamp of the very file read: another copy may put a new one in
        // place meanwhile, which the next look then sees as a change.
        struct stat st {};
        if (::fstat(file.handle(), &st) != 0) {
            m_loaded = false;
            fail(4001, qt_error_string(errno));
            return false;
        }
        stamp = stampOf(st);
        const QByteArray data = file.readAll();
        if (file.error() != QFileDevice::NoError) {
            m_loaded = false;
            fail(4001, file.errorString());
            return false;
        }
        if (!parse(data, keys)) {
            file.close();
            keys.clear();
            if (!setAside())
                return false;
            stamp = currentStamp();
        }
    }
    m_keys = std::move(keys);
    m_stamp = stamp;
    m_loaded = true;
    for (const Change &c : m_pending)
        apply(c);
    return true;
}

// Keeps a file that cannot be parsed under a new name, so that the store can
// start afresh without losing it. When it cannot be moved, the store stops
// writing rather than replace it.
bool RegistryFile::setAside()
{
    const QString aside = uniqueAsideName(m_path);
    QFile file(m_path);
    if (file.rename(aside)) {
        m_setAsidePath = aside;
        fail(4003, aside);
        return true;
    }
    m_writable = false;
    m_loaded = true;
    m_stamp = currentStamp();
    fail(4004, file.errorString());
    return false;
}

bool RegistryFile::parse(const QByteArray &data, std::map<QString, Key> &keys) const
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(data);
    if (decoder.hasError())
        return false;

    Key *current = nullptr;
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return false;
            const QString path = normaliseKey(line.mid(1, line.size() - 2));
            if (path.isEmpty())
                return false;
            current = &keys[path.toLower()];
            current->path = path;
            continue;
        }
        if (!current)
            return false;
        QString name;
        qsizetype pos = 0;
        if (line.startsWith(u'@'))
            pos = 1;
        else if (!readQuoted(line, pos, name))
            return false;
        if (pos >= line.size() || line[pos] != u'=')
            return false;
        RegValue value;
        if (!readValue(line.mid(pos + 1), value))
            return false;
        current->values[name.toLower()] = Entry{name, value};
    }
    return true;
}

QByteArray RegistryFile::serialise() const
{
    QString out = QString::fromLatin1(kHeader);
    for (const auto &[lower, key] : m_keys) {
        out += QLatin1String("\n[") + key.path + QLatin1String("]\n");
        for (const auto &[lowerName, entry] : key.values) {
            out += entry.name.isEmpty() ? QStringLiteral("@") : u'"' + escaped(entry.name) + u'"';
            out += u'=';
            if (entry.value.type() == REG_DWORD)
                out += QStringLiteral("dword:%1").arg(quint32(entry.value.toInt()), 8, 16, QChar(u'0'));
            else
                out += u'"' + escaped(entry.value.toString()) + u'"';
            out += u'\n';
        }
    }
    return out.toUtf8();
}

void RegistryFile::flush()
{
    if (m_pending.empty())
        return;
    // A write that fails is tried once more; its changes stay pending either
    // way, so the next write that succeeds takes them along.
    if (!writePending())
        writePending();
    reportFailure();
}

bool RegistryFile::writePending()
{
    if (!m_writable)
        return false;
    QString why;
    if (!makeFolders(QFileInfo(m_path).absolutePath(), &why)) {
        fail(4002, why);
        return false;
    }
    const QString lockPath = m_path + QLatin1String(".lock");
    QLockFile lock(lockPath);
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(m_lockWaitMs)) {
        if (lock.error() == QLockFile::LockFailedError)
            fail(4002, FormatString(LoadResString(4005), lockPath));
        else
            fail(4002, FormatString(LoadResString(4006), lockPath,
                                    qt_error_string(lock.error() == QLockFile::PermissionError ? EACCES : errno)));
        return false;
    }
    // Another copy may have written meanwhile: our changes go on top of its file.
    if ((!m_loaded || currentStamp() != m_stamp) && !reload())
        return false;
    return m_writable && writeFile();
}

bool RegistryFile::writeFile()
{
    const QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    QSaveFile file(m_path);
    const QByteArray data = serialise();
    // The file holds passwords: it is private before anything is written.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(ownerOnly) || file.write(data) != data.size()) {
        fail(4002, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        fail(4002, file.errorString());
        return false;
    }
    m_pending.clear();
    m_stamp = currentStamp();
    return true;
}

void RegistryFile::fail(int textId, const QString &detail)
{
    m_failure = Failure{textId, detail};
}

// Tells the user of the first failure, once: a store that cannot write would
// otherwise show a box for every change.
void RegistryFile::reportFailure()
{
    const Failure failure = std::exchange(m_failure, Failure{});
    if (failure.textId == 0 || m_reported)
        return;
    m_reported = true;
    prompter().message(FormatString(LoadResString(failure.textId), m_path, failure.detail), LoadResString(101),
                       MsgIcon::Exclamation, MsgButtons::Ok);
}

} // namespace ardl
