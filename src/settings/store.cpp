#include "settings/store.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace accrua::settings {

namespace {

// Refuses a store file that could not be the program's own before QSettings
// reads it whole: a device or FIFO would never end, a huge file would be
// held in memory.
void checkStoreFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (!info.isFile() || info.size() > kMaxStoreFileBytes)
        throw SettingsError(QStringLiteral("The settings file %1 is not a settings file").arg(path));
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
        checkStoreFile(settings->fileName());
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

std::unique_ptr<QSettings> SettingsStore::open() const
{
    return m_factory();
}

std::optional<QString> SettingsStore::readText(const QString &name) const
{
    if (const auto it = m_overrides.constFind(name); it != m_overrides.constEnd())
        return it.value();

    const std::unique_ptr<QSettings> settings = open();
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
        throw SettingsError(QStringLiteral("Invalid data type for '%1'").arg(name));
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

void SettingsStore::writeString(const QString &name, const QString &text)
{
    const std::unique_ptr<QSettings> settings = open();
    const bool existed = QFileInfo::exists(settings->fileName());
    const bool hadValue = settings->contains(name);
    const QVariant previous = hadValue ? settings->value(name) : QVariant();
    settings->setValue(name, text);
    settings->sync();
    if (settings->status() == QSettings::AccessError) {
        // QSettings keeps an unsaved change pending in its per-process cache
        // and would store it with some later write: take it back.
        if (hadValue)
            settings->setValue(name, previous);
        else
            settings->remove(name);
        if (!existed)
            throw SettingsError(QStringLiteral("Failed to create key %1").arg(kSettingsKey));
        throw SettingsError(QStringLiteral("Failed to set data for '%1'").arg(name));
    }
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
