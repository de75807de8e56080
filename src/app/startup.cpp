#include "app/startup.h"

#include "settings/values.h"

namespace accrua::app {

void startUp(MainModel &model, const settings::SettingsFactory &settings, bool &useDefaults)
{
    try {
        settings::SettingsStore store(settings);
        settings::LoadSettings(store, model.appSettings(), useDefaults);
    } catch (const settings::SettingsError &e) {
        model.messages().ShowErrorReport(e.text());
    }
    model.resetAmountFields();
}

} // namespace accrua::app
