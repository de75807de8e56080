// The one switch of the golden tests: ACCRUA_UPDATE_GOLDEN=1 makes them
// write what they got as the new expectation instead of comparing (review
// the diff before committing it). Any other value, or none, compares.
#pragma once

#include <QtGlobal>

namespace accrua::testsupport {

inline bool updateGolden()
{
    return qEnvironmentVariableIntValue("ACCRUA_UPDATE_GOLDEN") == 1;
}

} // namespace accrua::testsupport
