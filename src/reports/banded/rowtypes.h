// The row types the reports read from the main window's lists.
#pragma once

#include "calc/loan.h"
#include "calc/savings.h"

namespace accrua::reports::banded {

using SavingsRowType = calc::TSavingsObj;

} // namespace accrua::reports::banded
