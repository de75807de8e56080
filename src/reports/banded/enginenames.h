// The layout engine's parts the reports use, reached as reports::eng::Name
// whichever library of the engine a name lives in.
#pragma once

#include "engine/emf/emf.h"
#include "engine/layout/generator.h"
#include "engine/layout/layout.h"
#include "engine/layout/report.h"
#include "engine/pagefile/pagelist.h"
#include "engine/picture/picture.h"

namespace accrua::reports::eng {
using namespace accrua::engine::emf;
using namespace accrua::engine::layout;
using namespace accrua::engine::pagefile;
using namespace accrua::engine::picture;
} // namespace accrua::reports::eng
