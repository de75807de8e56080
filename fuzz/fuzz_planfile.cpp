// A plan file is anyone's to hand over: any bytes must read to a whole plan
// or a refusal with its reason, never a crash or a hang; a plan that reads
// computes every scenario, and once written it reads back as written (rates
// are written to 15 digits, so the first writing may round them).
#include "planner/planfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

using namespace accrua::planner;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    PlanFileContent content = parsePlanFile(bytes);
    if (!content.ok()) {
        if (content.error.isEmpty() || !content.scenarios.empty())
            std::abort();
        return 0;
    }
    if (content.scenarios.empty() || content.scenarios.size() > static_cast<std::size_t>(kMaxScenarios))
        std::abort();
    for (const Scenario &s : content.scenarios)
        computeScenario(s.inputs);
    Plan plan(content.scenarios.front().inputs);
    plan.assign(std::move(content.scenarios), content.selected);
    PlanFileContent written = parsePlanFile(planFileBytes(plan));
    if (!written.ok())
        std::abort();
    const std::vector<Scenario> scenarios = written.scenarios;
    plan.assign(std::move(written.scenarios), written.selected);
    const PlanFileContent again = parsePlanFile(planFileBytes(plan));
    if (!again.ok() || again.scenarios != scenarios)
        std::abort();
    return 0;
}
