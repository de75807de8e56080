// One LoadSettings batch against the native store, empty and fully written.
#include "settings/store.h"
#include "settings/values.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace accrua::settings;

namespace {

// The store lives in a temporary configuration folder, never the user's.
struct TemporaryConfigHome {
    QTemporaryDir dir;
    TemporaryConfigHome() { qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit()); }
};
TemporaryConfigHome &configHome()
{
    static TemporaryConfigHome home;
    return home;
}

QString storePath()
{
    return configHome().dir.path() + QStringLiteral("/Quennet/Accrua.conf");
}

void BM_LoadSettings_NoStore(benchmark::State &state)
{
    QFile::remove(storePath());
    SettingsStore store;
    AppSettings settings;
    bool useDefaults = false;
    for (auto _ : state) {
        LoadSettings(store, settings, useDefaults);
        benchmark::DoNotOptimize(settings.AmortizedBase);
    }
}
BENCHMARK(BM_LoadSettings_NoStore);

void BM_LoadSettings_AllValuesStored(benchmark::State &state)
{
    QFile::remove(storePath());
    SettingsStore store;
    for (const SettingSpec &spec : settingSpecs())
        writeSettingByName(store, spec.name, spec.defaultText);
    AppSettings settings;
    bool useDefaults = false;
    for (auto _ : state) {
        LoadSettings(store, settings, useDefaults);
        benchmark::DoNotOptimize(settings.AmortizedBase);
    }
}
BENCHMARK(BM_LoadSettings_AllValuesStored);

void BM_WriteToolsMarks(benchmark::State &state)
{
    SettingsStore store;
    bool mark = false;
    for (auto _ : state) {
        writeToolsMarks(store, mark, !mark);
        mark = !mark;
    }
}
BENCHMARK(BM_WriteToolsMarks);

} // namespace
