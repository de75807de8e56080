#include "app/startup.h"

#include "settings/values.h"

namespace accrua::app {

void startUp(MainModel &model, settings::SettingsStore &store, bool &useDefaults)
{
    try {
        settings::LoadSettings(store, model.appSettings(), useDefaults);
    } catch (const settings::SettingsError &e) {
        model.messages().ShowErrorReport(e.text());
    }
    model.resetAmountFields();
}

} // namespace accrua::app
