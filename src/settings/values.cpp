#include "settings/values.h"

namespace accrua::settings {

namespace {

QString flagText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

std::vector<SettingSpec> buildSpecs()
{
    const AppSettings d;
    return {
        {names::PrintTotals, SettingKind::Flag, flagText(d.PrintTotals)},
        {names::ImagePath, SettingKind::String, d.ImagePath},
        {names::Title, SettingKind::String, d.Title},
        {names::LoanType, SettingKind::String, d.LoanType},
        {names::AmortizedBase, SettingKind::Integer, QString::number(d.AmortizedBase)},
        {names::UseDefaults, SettingKind::Flag, flagText(kUseDefaultsDefault)},
        {names::PaymentResolution, SettingKind::String, d.PaymentResolution},
        {names::AmortSchedule, SettingKind::String, d.AmortSchedule},
        {names::SavingsTitle, SettingKind::String, d.SavingsTitle},
        {names::SavingsSubtitle, SettingKind::String, d.SavingsSubtitle},
        {names::PrintSavingsTotals, SettingKind::Flag, flagText(d.PrintSavingsTotals)},
        {names::DailyTitle, SettingKind::String, d.DailyTitle},
        {names::DailySubtitle, SettingKind::String, d.DailySubtitle},
        {names::PrintImage, SettingKind::Flag, flagText(d.PrintImage)},
        {names::UseClassicView, SettingKind::Flag, flagText(d.UseClassicView)},
        {names::StayOnTop, SettingKind::Flag, flagText(kStayOnTopDefault)},
    };
}

} // namespace

QString settingKindName(SettingKind kind)
{
    switch (kind) {
    case SettingKind::String:
        return QStringLiteral("string");
    case SettingKind::Integer:
        return QStringLiteral("integer");
    case SettingKind::Flag:
        return QStringLiteral("flag");
    }
    return {};
}

const std::vector<SettingSpec> &settingSpecs()
{
    static const std::vector<SettingSpec> specs = buildSpecs();
    return specs;
}

const SettingSpec *findSetting(const QString &name)
{
    for (const SettingSpec &spec : settingSpecs()) {
        if (spec.name == name)
            return &spec;
    }
    return nullptr;
}

void LoadSettings(SettingsStore &store, AppSettings &settings, bool &useDefaults)
{
    const AppSettings d;
    settings.PrintTotals = store.readFlag(names::PrintTotals, d.PrintTotals);
    settings.ImagePath = store.readString(names::ImagePath, d.ImagePath);
    settings.Title = store.readString(names::Title, d.Title);
    settings.LoanType = store.readString(names::LoanType, d.LoanType);
    settings.AmortizedBase = store.readInteger(names::AmortizedBase, d.AmortizedBase);
    useDefaults = store.readFlag(names::UseDefaults, kUseDefaultsDefault);
    settings.PaymentResolution = store.readString(names::PaymentResolution, d.PaymentResolution);
    settings.AmortSchedule = store.readString(names::AmortSchedule, d.AmortSchedule);
    settings.SavingsTitle = store.readString(names::SavingsTitle, d.SavingsTitle);
    settings.SavingsSubtitle = store.readString(names::SavingsSubtitle, d.SavingsSubtitle);
    settings.PrintSavingsTotals = store.readFlag(names::PrintSavingsTotals, d.PrintSavingsTotals);
    settings.DailyTitle = store.readString(names::DailyTitle, d.DailyTitle);
    settings.DailySubtitle = store.readString(names::DailySubtitle, d.DailySubtitle);
    settings.PrintImage = store.readFlag(names::PrintImage, d.PrintImage);
    settings.UseClassicView = store.readFlag(names::UseClassicView, d.UseClassicView);
}

bool ReadStayOnTop(SettingsStore &store)
{
    return store.readFlag(names::StayOnTop, kStayOnTopDefault);
}

void WriteToolsMarks(SettingsStore &store, bool useDefaults, bool stayOnTop)
{
    store.writeFlag(names::UseDefaults, useDefaults);
    store.writeFlag(names::StayOnTop, stayOnTop);
}

std::vector<SettingReading> ReadAllSettings(SettingsStore &store)
{
    std::vector<SettingReading> readings;
    for (const SettingSpec &spec : settingSpecs()) {
        QString value;
        switch (spec.kind) {
        case SettingKind::String:
            value = store.readString(spec.name, spec.defaultText);
            break;
        case SettingKind::Integer:
            value = QString::number(store.readInteger(spec.name, *ParseStoredInteger(spec.defaultText)));
            break;
        case SettingKind::Flag:
            value = flagText(store.readFlag(spec.name, spec.defaultText == QLatin1String("1")));
            break;
        }
        const bool isDefault = value == spec.defaultText;
        readings.push_back({spec.name, spec.kind, std::move(value), isDefault});
    }
    return readings;
}

EncodedSetting EncodeSettingValue(const QString &name, const QString &value)
{
    const SettingSpec *spec = findSetting(name);
    if (!spec)
        return {std::nullopt, QStringLiteral("Unknown setting '%1'").arg(name)};

    switch (spec->kind) {
    case SettingKind::String:
        // Stored text ends at a NUL, so one inside would silently cut the value.
        if (value.contains(QChar(u'\0')))
            return {std::nullopt,
                    QStringLiteral("The value for '%1' must not contain a NUL character").arg(name)};
        return {value, {}};
    case SettingKind::Integer:
        if (const std::optional<std::int32_t> number = ParseStoredInteger(value))
            return {QString::number(*number), {}};
        return {std::nullopt, QStringLiteral("'%1' is not a valid integer for '%2'").arg(value, name)};
    case SettingKind::Flag: {
        const QString t = value.trimmed().toLower();
        if (t == QLatin1String("1") || t == QLatin1String("true"))
            return {flagText(true), {}};
        if (t == QLatin1String("0") || t == QLatin1String("false"))
            return {flagText(false), {}};
        return {std::nullopt,
                QStringLiteral("'%1' is not a valid flag for '%2' (1, 0, true or false)").arg(value, name)};
    }
    }
    return {std::nullopt, QStringLiteral("Unknown setting '%1'").arg(name)};
}

std::optional<QString> AddSettingOverride(const QString &assignment, QHash<QString, QString> &overrides)
{
    const qsizetype eq = assignment.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QStringLiteral("Expected NAME=VALUE, not '%1'").arg(assignment);
    const QString name = assignment.left(eq);
    EncodedSetting encoded = EncodeSettingValue(name, assignment.mid(eq + 1));
    if (!encoded.text)
        return encoded.refusal;
    overrides.insert(name, *encoded.text);
    return std::nullopt;
}

std::optional<QString> WriteSettingByName(SettingsStore &store, const QString &name, const QString &value)
{
    const EncodedSetting encoded = EncodeSettingValue(name, value);
    if (!encoded.text)
        return encoded.refusal;
    store.writeString(name, *encoded.text);
    return std::nullopt;
}

} // namespace accrua::settings
