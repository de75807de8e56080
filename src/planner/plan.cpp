#include "planner/plan.h"

#include <QCoreApplication>

#include <algorithm>

namespace accrua::planner {

namespace {

// This file's texts, translated in the planner's domain.
struct Text {
    Q_DECLARE_TR_FUNCTIONS(accrua::planner::Plan)
};

} // namespace

Plan::Plan(const ScenarioInputs &first)
{
    m_scenarios.push_back(Scenario{QStringLiteral("A"), first});
}

void Plan::select(int index)
{
    if (index >= 0 && index < count())
        m_selected = index;
}

QString Plan::freeName() const
{
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        QString name(QChar{c});
        if (find(name) < 0)
            return name;
    }
    return Text::tr("Scenario %1").arg(count() + 1);
}

int Plan::add(const ScenarioInputs &inputs, QString *why)
{
    if (count() >= kMaxScenarios) {
        if (why)
            *why = Text::tr("A plan holds at most %1 scenarios.").arg(kMaxScenarios);
        return -1;
    }
    m_scenarios.push_back(Scenario{freeName(), inputs});
    m_modified = true;
    return count() - 1;
}

int Plan::duplicate(int index, QString *why)
{
    if (index < 0 || index >= count())
        return -1;
    const ScenarioInputs copy = scenario(index).inputs;
    return add(copy, why);
}

QString nameProblem(const QString &name)
{
    const QString n = name.trimmed();
    if (n.isEmpty())
        return Text::tr("A scenario needs a name.");
    if (n.size() > kMaxNameLength)
        return Text::tr("A scenario's name has at most %1 characters.").arg(kMaxNameLength);
    if (std::any_of(n.begin(), n.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return Text::tr("A scenario's name is one line of text.");
    return {};
}

bool Plan::rename(int index, const QString &name, QString *why)
{
    if (index < 0 || index >= count())
        return false;
    QString problem = nameProblem(name);
    const int other = find(name.trimmed());
    if (problem.isEmpty() && other >= 0 && other != index)
        problem = Text::tr("Another scenario is named \"%1\".").arg(name.trimmed());
    if (!problem.isEmpty()) {
        if (why)
            *why = problem;
        return false;
    }
    if (m_scenarios[static_cast<std::size_t>(index)].name != name.trimmed()) {
        m_scenarios[static_cast<std::size_t>(index)].name = name.trimmed();
        m_modified = true;
    }
    return true;
}

bool Plan::remove(int index, QString *why)
{
    if (index < 0 || index >= count())
        return false;
    if (count() == 1) {
        if (why)
            *why = Text::tr("A plan keeps at least one scenario.");
        return false;
    }
    m_scenarios.erase(m_scenarios.begin() + index);
    if (m_selected > index || m_selected >= count())
        --m_selected;
    m_modified = true;
    return true;
}

void Plan::setInputs(int index, const ScenarioInputs &inputs)
{
    if (index < 0 || index >= count())
        return;
    Scenario &s = m_scenarios[static_cast<std::size_t>(index)];
    if (!(s.inputs == inputs)) {
        s.inputs = inputs;
        m_modified = true;
    }
}

int Plan::find(const QString &name) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_scenarios[static_cast<std::size_t>(i)].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void Plan::assign(std::vector<Scenario> scenarios, int selected)
{
    if (scenarios.empty())
        return;
    m_scenarios = std::move(scenarios);
    m_selected = std::clamp(selected, 0, count() - 1);
    m_modified = false;
}

} // namespace accrua::planner
