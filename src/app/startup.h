// What the main window's show handler does to the model, shared with the
// command line so that both start a calculation from the same state.
#pragma once

#include "app/mainmodel.h"
#include "settings/store.h"

namespace accrua::app {

// Reads the settings from `store` into the model (and the "Use Defaults" mark
// into `useDefaults`), then sets the amount fields to the zero amount. A store
// failure is shown in the model's general error report and stops only the
// reading: what was read before keeps its new value, the rest its old one.
void startUp(MainModel &model, settings::SettingsStore &store, bool &useDefaults);

} // namespace accrua::app
