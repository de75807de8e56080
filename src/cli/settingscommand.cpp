#include "cli/settingscommand.h"

#include "cli/options.h"
#include "cli/output.h"
#include "desktop/messages.h"
#include "settings/values.h"
#include "text/numbers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

namespace accrua::cli {

namespace {

void printReadings(const std::vector<settings::SettingReading> &readings, bool json, QTextStream &out)
{
    if (json) {
        QJsonArray list;
        for (const auto &r : readings) {
            QJsonObject item;
            item.insert(QStringLiteral("name"), r.name);
            item.insert(QStringLiteral("kind"), settings::settingKindName(r.kind));
            item.insert(QStringLiteral("value"), r.value);
            item.insert(QStringLiteral("default"), r.isDefault);
            list.append(item);
        }
        out << QJsonDocument(list).toJson(QJsonDocument::Indented);
        return;
    }
    int width = 0;
    for (const auto &r : readings)
        width = std::max(width, static_cast<int>(r.name.size()));
    for (const auto &r : readings)
        out << text::PadRight(r.name, QStringLiteral(" "), width + 2) << '"' << terminalText(r.value) << '"'
            << (r.isDefault ? "  (default)" : "") << '\n';
}

} // namespace

int runSettingsCommand(const QStringList &args, QTextStream &out, const Services &services)
{
    const Options o(args, {QStringLiteral("set")}, {QStringLiteral("json")});
    settings::SettingsStore store(services.settings);
    try {
        if (o.has(QStringLiteral("set"))) {
            const QString pair = o.value(QStringLiteral("set"));
            const qsizetype eq = pair.indexOf(QLatin1Char('='));
            if (eq <= 0)
                throw UsageError{
                    QStringLiteral("--set needs NAME=VALUE, not '%1'").arg(settings::shownValue(pair))};
            if (const auto refusal =
                    settings::writeSettingByName(store, pair.left(eq).toUpper(), pair.mid(eq + 1)))
                throw Refusal{*refusal};
            return 0;
        }
        printReadings(settings::readAllSettings(store), o.has(QStringLiteral("json")), out);
        return 0;
    } catch (const settings::SettingsError &e) {
        throw Refusal{desktop::errorReportText(e.text())};
    }
}

} // namespace accrua::cli
