// A plan: up to six named scenarios and the one selected. The operations
// refuse what would break the plan (a seventh scenario, removing the last,
// an empty or repeated name) and say why; every change marks it modified.
#pragma once

#include "planner/scenario.h"

#include <QString>

#include <vector>

namespace accrua::planner {

inline constexpr int kMaxScenarios = 6;
inline constexpr int kMaxNameLength = 40;

struct Scenario {
    QString name;
    ScenarioInputs inputs;
    friend bool operator==(const Scenario &, const Scenario &) = default;
};

class Plan {
public:
    // One scenario "A" with the given inputs.
    explicit Plan(const ScenarioInputs &first);

    const std::vector<Scenario> &scenarios() const { return m_scenarios; }
    int count() const { return static_cast<int>(m_scenarios.size()); }
    const Scenario &scenario(int index) const { return m_scenarios.at(static_cast<std::size_t>(index)); }
    int selected() const { return m_selected; }
    void select(int index);

    // The new scenario's index, or -1 with the reason in `why`. New scenarios
    // take the first free letter of A to Z.
    int add(const ScenarioInputs &inputs, QString *why = nullptr);
    int duplicate(int index, QString *why = nullptr);
    bool rename(int index, const QString &name, QString *why = nullptr);
    bool remove(int index, QString *why = nullptr);
    void setInputs(int index, const ScenarioInputs &inputs);
    // The scenario named so (case-insensitive), or -1.
    int find(const QString &name) const;

    // Replaces the whole plan (a file read); the caller checked the scenarios.
    void assign(std::vector<Scenario> scenarios, int selected);

    bool isModified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

private:
    QString freeName() const;

    std::vector<Scenario> m_scenarios;
    int m_selected = 0;
    bool m_modified = false;
};

// Why a name cannot be a scenario's name (empty, too long, a line break), or
// an empty text when it can.
QString nameProblem(const QString &name);

} // namespace accrua::planner
