// The per-user settings store: sixteen named string values under one key.
//
// A batch of reads or writes (one LoadSettings run, one show or OK of the
// options dialog, the main window's creation or closing) works through one
// SettingsStore, which opens the store once, when first used, and flushes it
// when the batch ends; each write is also flushed at once so that a failure
// names its value. The next batch opens the store afresh, so two copies of
// the program see each other's writes. Every
// value is stored as text: integers as decimal text, flags as "1" or "0".
// Store failures are thrown as SettingsError with the texts the user sees in
// the general error report.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;

namespace accrua::settings {

// The key path as the program names it in messages.
inline const QString kSettingsKey = QStringLiteral("\\Software\\Quennet\\Accrua\\");

class SettingsError : public std::runtime_error {
public:
    explicit SettingsError(const QString &text);
    QString text() const { return QString::fromUtf8(what()); }
};

// Where the store lives: opens a QSettings on it, once per operation.
using SettingsFactory = std::function<std::unique_ptr<QSettings>()>;

// The native per-user store (on Linux $XDG_CONFIG_HOME/Quennet/Accrua.conf).
SettingsFactory NativeSettingsFactory();
// The same format in a file of the caller's choosing (tests, tools).
SettingsFactory FileSettingsFactory(const QString &path);

// The store file is refused before it is parsed when it is not a regular file
// or larger than this: the real one holds sixteen short values.
inline constexpr qint64 kMaxStoreFileBytes = qint64{1024} * 1024;
// A value longer than this (as stored) is refused: sixteen of them still fit
// in a file the store can read back, so it can always be read and repaired.
inline constexpr qint64 kMaxStoredValueBytes = qint64{64} * 1024;

// The text of a stored integer: optional blanks around an optional sign and
// decimal digits that fit in 32 bits; anything else is no integer.
std::optional<std::int32_t> ParseStoredInteger(const QString &text);

class SettingsStore {
public:
    explicit SettingsStore(SettingsFactory factory = NativeSettingsFactory());
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    // Values given on the command line for this run: they win over the stored
    // ones on every read and are never written.
    void setOverrides(QHash<QString, QString> overrides) { m_overrides = std::move(overrides); }
    const QHash<QString, QString> &overrides() const { return m_overrides; }

    // The stored text, or nothing when the value is absent. Throws
    // "Invalid data type for '%s'" for a value that is not plain text.
    std::optional<QString> readText(const QString &name) const;

    QString readString(const QString &name, const QString &defaultText) const;
    std::int32_t readInteger(const QString &name, std::int32_t defaultValue) const;
    bool readFlag(const QString &name, bool defaultValue) const;

    // Each write replaces the store file whole, through a temporary file
    // renamed over it once complete and flushed, so the file holds either the
    // new value or, byte for byte, what it held before. A failure throws
    // "Failed to set data for '%s'", or "Failed to create key %s" when the
    // store did not exist yet and could not be created; a value longer than
    // kMaxStoredValueBytes is refused. Values written before stay written.
    void writeString(const QString &name, const QString &text);
    void writeInteger(const QString &name, std::int32_t value);
    void writeFlag(const QString &name, bool value);

private:
    QSettings &open() const;

    SettingsFactory m_factory;
    mutable std::unique_ptr<QSettings> m_settings;
    QHash<QString, QString> m_overrides;
};

} // namespace accrua::settings
