#include "settings/store.h"

#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace accrua::settings {

namespace {

// Refuses a store file that could not be the program's own before QSettings
// reads it whole: a device or FIFO would never end, a huge file would be held
// in memory, and a serialized value would be decoded by QDataStream with
// whatever sizes the file claims.
void checkStoreFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (!info.isFile() || info.size() > kMaxStoreFileBytes)
        throw SettingsError(QStringLiteral("The settings file %1 is not a settings file").arg(path));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return; // QSettings finds nothing to read either
    const QByteArray content = file.read(kMaxStoreFileBytes + 1);
    if (content.size() > kMaxStoreFileBytes)
        throw SettingsError(QStringLiteral("The settings file %1 is not a settings file").arg(path));
    if (const std::optional<QString> name = FindSerializedValue(content))
        throw SettingsError(QStringLiteral("Invalid data type for '%1'").arg(*name));
}

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// True when an item of a value (starting at `at`, its first content
// character) would reach QDataStream: "@" not followed by "@" or by one of the
// forms QSettings decodes as plain text, or an "@" written as a numeric
// escape, which QSettings itself never writes.
bool itemIsSerialized(QByteArrayView v, qsizetype at)
{
    if (v[at] == '@') {
        const QByteArrayView rest = v.sliced(at + 1);
        for (const char *plain : {"@", "ByteArray(", "String(", "Rect(", "Size(", "Point(", "Invalid()"}) {
            if (rest.startsWith(QByteArrayView(plain)))
                return false;
        }
        return true;
    }
    if (v[at] != '\\' || at + 1 >= v.size())
        return false;
    // The numeric value of the escape, kept to 16 bits as QSettings does.
    qsizetype i = at + 1;
    unsigned value = 0;
    if (v[i] == 'x' || v[i] == 'X') {
        for (++i; i < v.size() && hexDigit(v[i]) >= 0; ++i)
            value = ((value << 4) + static_cast<unsigned>(hexDigit(v[i]))) & 0xffffu;
    } else if (isOctal(v[i])) {
        for (; i < v.size() && isOctal(v[i]); ++i)
            value = ((value << 3) + static_cast<unsigned>(v[i] - '0')) & 0xffffu;
    } else {
        return false;
    }
    return value == '@';
}

// Whether any comma-separated item of a raw value would be decoded from a
// serialized form. Quotes and escapes are followed loosely; any doubt counts.
bool valueHasSerializedItem(QByteArrayView v)
{
    bool inQuotes = false;
    qsizetype i = 0;
    while (i < v.size()) {
        // The first content character of the item: blanks outside quotes,
        // quote marks and escaped line breaks are no content.
        while (i < v.size()) {
            const char c = v[i];
            if (c == '"') {
                inQuotes = !inQuotes;
                ++i;
            } else if (!inQuotes && (c == ' ' || c == '\t')) {
                ++i;
            } else if (c == '\n' || c == '\r') {
                ++i; // only inside a continued line
            } else if (c == '\\' && i + 1 < v.size() && (v[i + 1] == '\n' || v[i + 1] == '\r')) {
                i += 2;
            } else {
                break;
            }
        }
        if (i >= v.size())
            return false;
        if (itemIsSerialized(v, i))
            return true;
        // On to the next item.
        while (i < v.size()) {
            const char c = v[i++];
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == ',' && !inQuotes) {
                break;
            }
        }
    }
    return false;
}

} // namespace

std::optional<QString> FindSerializedValue(const QByteArray &content)
{
    const QByteArrayView data(content);
    qsizetype pos = 0;
    while (pos < data.size()) {
        // One logical line: an escaped line break continues it, a ';' outside
        // quotes starts a comment, the first '=' outside quotes ends the key.
        const qsizetype start = pos;
        qsizetype equals = -1;
        qsizetype end = -1;
        bool inQuotes = false;
        while (pos < data.size()) {
            const char c = data[pos++];
            if (c == '\\') {
                // An escaped character; an escaped line break of two characters
                // continues the line as one.
                if (pos < data.size()) {
                    const char escaped = data[pos++];
                    if (pos < data.size() &&
                        ((escaped == '\r' && data[pos] == '\n') || (escaped == '\n' && data[pos] == '\r')))
                        ++pos;
                }
            } else if (c == '"') {
                inQuotes = !inQuotes;
            } else if (c == '=' && !inQuotes && equals < 0) {
                equals = pos - 1;
            } else if (c == ';' && !inQuotes) {
                end = pos - 1;
                while (pos < data.size() && data[pos] != '\n' && data[pos] != '\r')
                    ++pos;
            } else if (c == '\n' || c == '\r') {
                if (end < 0)
                    end = pos - 1;
                break;
            }
        }
        if (end < 0)
            end = pos;
        if (equals < 0 || equals > end)
            continue;
        if (valueHasSerializedItem(data.sliced(equals + 1, end - equals - 1)))
            return QString::fromUtf8(data.sliced(start, equals - start)).trimmed();
    }
    return std::nullopt;
}

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

SettingsStore::~SettingsStore()
{
    if (m_settings)
        m_settings->sync();
}

QSettings &SettingsStore::open() const
{
    // Opened once per batch, when first needed, so that a batch reads one
    // state of the store and another copy's writes are seen by the next batch.
    if (!m_settings)
        m_settings = m_factory();
    return *m_settings;
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
    QSettings *settings = &open();
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
        // The object remembers its first error for good: open afresh next time.
        m_settings.reset();
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
