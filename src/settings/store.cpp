#include "settings/store.h"

#include "fileio/safefile.h"
#include "settings/inifile.h"

#include <QByteArrayView>
#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>

namespace accrua::settings {

namespace {

// Refuses a store file that could not be the program's own before QSettings
// reads it whole: a device or FIFO would never end, a huge file would be held
// in memory, and a serialized value would be decoded by QDataStream with
// whatever sizes the file claims.
void checkStoreFile(const QString &path)
{
    // Only a store that is not there reads as defaults; a folder that cannot
    // be searched hides one that may well be.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return;
        throw SettingsError(QCoreApplication::translate("accrua::settings::SettingsStore",
                                                        "The settings file %1 cannot be read: %2")
                                .arg(path, qt_error_string(errno)));
    }
    const QFileInfo info(path);
    if (!info.isFile())
        throw SettingsError(QCoreApplication::translate("accrua::settings::SettingsStore",
                                                        "The settings file %1 is not a settings file")
                                .arg(path));
    const auto tooLarge = [&] {
        return SettingsError(
            QCoreApplication::translate("accrua::settings::SettingsStore",
                                        "The settings file %1 is larger than %2 KiB, more than settings ever "
                                        "take; it is neither read nor changed. Move it away to start afresh")
                .arg(path)
                .arg(kMaxStoreFileBytes / 1024));
    };
    if (info.size() > kMaxStoreFileBytes)
        throw tooLarge();
    QFile file(path);
    QString why;
    // Unreadable is not empty: showing every default would hide the stored values.
    if (!fileio::openRegularForReading(file, QIODevice::ReadOnly, &why))
        throw SettingsError(QCoreApplication::translate("accrua::settings::SettingsStore",
                                                        "The settings file %1 cannot be read: %2")
                                .arg(path, why));
    const QByteArray content = file.read(kMaxStoreFileBytes + 1);
    if (content.size() > kMaxStoreFileBytes)
        throw tooLarge();
    if (const std::optional<QString> name = FindSerializedValue(content))
        throw SettingsError(
            QCoreApplication::translate("accrua::settings::SettingsStore", "Invalid data type for '%1'")
                .arg(*name));
}

} // namespace

SettingsError::SettingsError(const QString &text) : std::runtime_error(text.toStdString()) {}

SettingsFactory NativeSettingsFactory()
{
    return [] {
        // The location QSettings uses for the native per-user format on Unix.
        checkStoreFile(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                       QStringLiteral("/Quennet/Accrua.conf"));
        auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                    QStringLiteral("Quennet"), QStringLiteral("Accrua"));
        return settings;
    };
}

SettingsFactory FileSettingsFactory(const QString &path)
{
    return [path] {
        checkStoreFile(path);
        return std::make_unique<QSettings>(path, QSettings::NativeFormat);
    };
}

std::optional<std::int32_t> ParseStoredInteger(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+'))) {
        negative = t[i] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < t.size(); ++i) {
        const char16_t c = t[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

SettingsStore::SettingsStore(SettingsFactory factory) : m_factory(std::move(factory)) {}

// Nothing is pending at the end of a batch: every write went to the file at once.
SettingsStore::~SettingsStore() = default;

QSettings &SettingsStore::open() const
{
    // Opened once per batch, when first needed, so that a batch reads one
    // state of the store and another copy's writes are seen by the next batch.
    if (!m_settings)
        m_settings = m_factory();
    return *m_settings;
}

QString SettingsStore::fileName() const
{
    return open().fileName();
}

std::optional<QString> SettingsStore::readText(const QString &name) const
{
    if (const auto it = m_overrides.constFind(name); it != m_overrides.constEnd())
        return it.value();

    QSettings *settings = &open();
    if (!settings->contains(name))
        return std::nullopt;
    const QVariant value = settings->value(name);
    QString text;
    switch (value.typeId()) {
    case QMetaType::QString:
        text = value.toString();
        break;
    case QMetaType::QStringList:
        // An unquoted hand-edited text with commas comes back split at them;
        // it was meant as one text, so it is joined again in the usual spelling.
        text = value.toStringList().join(QStringLiteral(", "));
        break;
    default:
        throw SettingsError(
            QCoreApplication::translate("accrua::settings::SettingsStore", "Invalid data type for '%1'")
                .arg(name));
    }
    // Stored text ends at its first NUL, as a native string value would.
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        text.truncate(nul);
    return text;
}

QString SettingsStore::readString(const QString &name, const QString &defaultText) const
{
    return readText(name).value_or(defaultText);
}

std::int32_t SettingsStore::readInteger(const QString &name, std::int32_t defaultValue) const
{
    const std::optional<QString> text = readText(name);
    if (!text)
        return defaultValue;
    return ParseStoredInteger(*text).value_or(defaultValue);
}

bool SettingsStore::readFlag(const QString &name, bool defaultValue) const
{
    return readInteger(name, defaultValue ? 1 : 0) != 0;
}

namespace {

// The store file as it is now, read whole (it is bounded) for the rewrite.
std::optional<QByteArray> currentContent(const QString &path)
{
    QFile file(path);
    if (!fileio::openRegularForReading(file, QIODevice::ReadOnly, nullptr))
        return std::nullopt;
    QByteArray content = file.read(kMaxStoreFileBytes + 1);
    if (file.error() != QFileDevice::NoError || content.size() > kMaxStoreFileBytes)
        return std::nullopt;
    return content;
}

// QSettings notices a changed file by its size and its time to the
// millisecond; a rewrite of the same size within the same millisecond must
// still look changed, or this process would go on reading the old values.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
};

FileStamp stampOf(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? FileStamp{info.size(), info.lastModified().toUTC()} : FileStamp{};
}

void markChanged(const QString &path, const FileStamp &before)
{
    const FileStamp after = stampOf(path);
    if (after.size != before.size || after.modified != before.modified)
        return;
    const qint64 ms = before.modified.toMSecsSinceEpoch() + 1;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(ms / 1000);
    times[1].tv_nsec = static_cast<long>(ms % 1000) * 1000000;
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
}

// How long a write waits for another copy's write to end: well below the age
// at which QLockFile takes a lock for abandoned.
constexpr int kLockWaitMs = 20000;

// Takes the store's lock. QLockFile's own wait sleeps ever longer between
// tries, so that a copy that has waited a while loses to every newcomer and
// gives up; short tries at random intervals give every waiting copy the same
// chance. A program that holds the lock past the wait is named.
void lockStore(QLockFile &lock, const QString &path, const QString &name,
               const std::function<SettingsError()> &failed)
{
    QDeadlineTimer deadline(kLockWaitMs);
    for (;;) {
        if (lock.tryLock(0))
            return;
        if (lock.error() != QLockFile::LockFailedError)
            throw failed();
        if (deadline.hasExpired())
            break;
        QThread::usleep(static_cast<unsigned long>(QRandomGenerator::global()->bounded(1000, 5000)));
    }
    qint64 pid = 0;
    QString host, program;
    if (!lock.getLockInfo(&pid, &host, &program))
        throw failed();
    throw SettingsError(
        QCoreApplication::translate("accrua::settings::SettingsStore",
                                    "Failed to set data for '%1': %2 (process %3) holds the settings file %4")
            .arg(name, program)
            .arg(pid)
            .arg(path));
}

} // namespace

void SettingsStore::writeString(const QString &name, const QString &text)
{
    if (EncodeStoredText(text).size() > kMaxStoredValueBytes)
        throw SettingsError(
            QCoreApplication::translate("accrua::settings::SettingsStore",
                                        "The value for '%1' is longer than %2 KiB and is not stored")
                .arg(name)
                .arg(kMaxStoredValueBytes / 1024));
    QSettings &settings = open();
    const QString path = settings.fileName();
    const auto failed = [&](bool existed) {
        return SettingsError(existed ? QCoreApplication::translate("accrua::settings::SettingsStore",
                                                                   "Failed to set data for '%1'")
                                           .arg(name)
                                     : QCoreApplication::translate("accrua::settings::SettingsStore",
                                                                   "Failed to create key %1")
                                           .arg(kSettingsKey));
    };
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw failed(false);
    // The lock QSettings itself takes: another copy's rewrite in between would
    // otherwise be lost.
    QLockFile lock(path + QStringLiteral(".lock"));
    lockStore(lock, path, name, [&] { return failed(QFileInfo::exists(path)); });

    // Everything about the file is read under the lock, so that a store
    // another copy created or changed while this one waited is kept.
    const FileStamp before = stampOf(path);
    const bool existed = before.size >= 0;
    settings.sync();
    std::optional<QByteArray> content = existed ? currentContent(path) : QByteArray();
    if (!content)
        throw failed(existed);
    const QByteArray updated = SetValueInStoreFile(*content, name, text);
    if (updated.size() > kMaxStoreFileBytes)
        throw SettingsError(
            QCoreApplication::translate("accrua::settings::SettingsStore",
                                        "The settings file would grow past %1 KiB; '%2' is not stored")
                .arg(kMaxStoreFileBytes / 1024)
                .arg(name));
    if (fileio::writeFile(path, updated))
        throw failed(existed);
    markChanged(path, before);
    settings.sync();
}

void SettingsStore::writeInteger(const QString &name, std::int32_t value)
{
    writeString(name, QString::number(value));
}

void SettingsStore::writeFlag(const QString &name, bool value)
{
    writeString(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace accrua::settings
