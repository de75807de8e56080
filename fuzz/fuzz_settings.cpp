// The settings store file is the user's to edit: any bytes in it must load
// to values or a SettingsError, never a crash or a hang.
#include "settings/inifile.h"
#include "settings/store.h"
#include "settings/values.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace accrua::settings;

namespace {

// Every setting of ours as the program reads it, but the one written. (Keys
// that are not ours are the user's text, kept byte for byte; QSettings reads
// blanks and byte order marks on a file's first line into a name, so the
// same bytes can seem to name another key once a line is put above them.)
QMap<QString, QString> otherValues(SettingsStore &store)
{
    QMap<QString, QString> values;
    for (const SettingReading &reading : readAllSettings(store)) {
        if (reading.name != names::kTitle)
            values.insert(reading.name, reading.value);
    }
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Accrua.conf");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    // Each input is a new file to QSettings: a fresh path avoids its cache.
    static quint64 inputs = 0;
    const QString fresh = dir.path() + QStringLiteral("/%1.conf").arg(++inputs);
    QFile::remove(fresh);
    QFile::rename(path, fresh);

    bool readable = true;
    QMap<QString, QString> others;
    {
        SettingsStore store(FileSettingsFactory(fresh));
        AppSettings settings;
        bool useDefaults = false;
        try {
            LoadSettings(store, settings, useDefaults);
            others = otherValues(store);
        } catch (const SettingsError &) {
            readable = false;
        }
    }
    QFile::remove(fresh);

    // A value written into the same bytes reads back as itself, and the
    // other values stay as they were.
    const QByteArray content(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(content.left(48)).remove(QChar(u'\0'));
    const QString written = dir.path() + QStringLiteral("/%1w.conf").arg(inputs);
    {
        QFile file(written);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(SetValueInStoreFile(content, names::kTitle, text));
    }
    if (readable) {
        SettingsStore store(FileSettingsFactory(written));
        try {
            if (store.readString(names::kTitle, {}) != text || otherValues(store) != others)
                std::abort();
        } catch (const SettingsError &) {
            std::abort();
        }
    }
    QFile::remove(written);
    return 0;
}
