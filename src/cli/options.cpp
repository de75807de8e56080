#include "cli/options.h"

#include "settings/values.h"

#include <optional>

namespace accrua::cli {

Options::Options(const QStringList &args, const QStringList &valued, const QStringList &flags,
                 const QStringList &repeatable)
{
    for (qsizetype k = 0; k < args.size(); ++k) {
        const QString &arg = args[k];
        if (!arg.startsWith(QLatin1String("--")))
            throw UsageError{QStringLiteral("unexpected argument '%1'").arg(arg)};
        QString name = arg.mid(2);
        std::optional<QString> value;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        }
        // Only --setting gathers values; a second --rate would otherwise
        // silently win over the first, answering a question not asked.
        if (m_values.contains(name) && name != QLatin1String("setting") && !repeatable.contains(name))
            throw UsageError{QStringLiteral("option --%1 given twice").arg(name)};
        if (flags.contains(name)) {
            if (value)
                throw UsageError{QStringLiteral("option --%1 takes no value").arg(name)};
            m_values.insert(name, QString());
            continue;
        }
        if (!valued.contains(name))
            throw UsageError{QStringLiteral("unknown option --%1").arg(name)};
        if (!value) {
            if (k + 1 >= args.size())
                throw UsageError{QStringLiteral("option --%1 needs a value").arg(name)};
            value = args[++k];
        }
        m_values.insert(name, *value);
    }
}

QString Options::required(const QString &name) const
{
    if (!has(name))
        throw UsageError{QStringLiteral("missing option --%1").arg(name)};
    return value(name);
}

QHash<QString, QString> settingOverrides(const Options &options)
{
    QHash<QString, QString> overrides;
    for (const QString &pair : options.values(QStringLiteral("setting"))) {
        const qsizetype eq = pair.indexOf(QLatin1Char('='));
        if (eq <= 0)
            throw UsageError{
                QStringLiteral("--setting needs NAME=VALUE, not '%1'").arg(settings::shownValue(pair))};
        const QString name = pair.left(eq).toUpper();
        if (!settings::findSetting(name))
            throw UsageError{QStringLiteral("unknown setting '%1'").arg(settings::shownValue(name))};
        if (const auto refusal = settings::addSettingOverride(name + pair.mid(eq), overrides))
            throw Refusal{*refusal};
    }
    return overrides;
}

} // namespace accrua::cli
