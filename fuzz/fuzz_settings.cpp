// The settings store file is the user's to edit: any bytes in it must load
// to values or a SettingsError, never a crash or a hang.
#include "settings/store.h"
#include "settings/values.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

using namespace accrua::settings;

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

    SettingsStore store(FileSettingsFactory(fresh));
    AppSettings settings;
    bool useDefaults = false;
    try {
        LoadSettings(store, settings, useDefaults);
        ReadAllSettings(store);
    } catch (const SettingsError &) {
    }
    QFile::remove(fresh);
    return 0;
}
