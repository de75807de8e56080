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
        {names::kPrintTotals, SettingKind::Flag, flagText(d.PrintTotals)},
        {names::kImagePath, SettingKind::String, d.ImagePath},
        {names::kTitle, SettingKind::String, d.Title},
        {names::kLoanType, SettingKind::String, d.LoanType},
        {names::kAmortizedBase, SettingKind::Integer, QString::number(d.AmortizedBase)},
        {names::kUseDefaults, SettingKind::Flag, flagText(kUseDefaultsDefault)},
        {names::kPaymentResolution, SettingKind::String, d.PaymentResolution},
        {names::kAmortSchedule, SettingKind::String, d.AmortSchedule},
        {names::kSavingsTitle, SettingKind::String, d.SavingsTitle},
        {names::kSavingsSubtitle, SettingKind::String, d.SavingsSubtitle},
        {names::kPrintSavingsTotals, SettingKind::Flag, flagText(d.PrintSavingsTotals)},
        {names::kDailyTitle, SettingKind::String, d.DailyTitle},
        {names::kDailySubtitle, SettingKind::String, d.DailySubtitle},
        {names::kPrintImage, SettingKind::Flag, flagText(d.PrintImage)},
        {names::kUseClassicView, SettingKind::Flag, flagText(d.UseClassicView)},
        {names::kStayOnTop, SettingKind::Flag, flagText(kStayOnTopDefault)},
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
    settings.PrintTotals = store.readFlag(names::kPrintTotals, d.PrintTotals);
    settings.ImagePath = store.readString(names::kImagePath, d.ImagePath);
    settings.Title = store.readString(names::kTitle, d.Title);
    settings.LoanType = store.readString(names::kLoanType, d.LoanType);
    settings.AmortizedBase = store.readInteger(names::kAmortizedBase, d.AmortizedBase);
    useDefaults = store.readFlag(names::kUseDefaults, kUseDefaultsDefault);
    settings.PaymentResolution = store.readString(names::kPaymentResolution, d.PaymentResolution);
    settings.AmortSchedule = store.readString(names::kAmortSchedule, d.AmortSchedule);
    settings.SavingsTitle = store.readString(names::kSavingsTitle, d.SavingsTitle);
    settings.SavingsSubtitle = store.readString(names::kSavingsSubtitle, d.SavingsSubtitle);
    settings.PrintSavingsTotals = store.readFlag(names::kPrintSavingsTotals, d.PrintSavingsTotals);
    settings.DailyTitle = store.readString(names::kDailyTitle, d.DailyTitle);
    settings.DailySubtitle = store.readString(names::kDailySubtitle, d.DailySubtitle);
    settings.PrintImage = store.readFlag(names::kPrintImage, d.PrintImage);
    settings.UseClassicView = store.readFlag(names::kUseClassicView, d.UseClassicView);
}

bool readStayOnTop(SettingsStore &store)
{
    return store.readFlag(names::kStayOnTop, kStayOnTopDefault);
}

void writeToolsMarks(SettingsStore &store, bool useDefaults, bool stayOnTop)
{
    // Each write replaces the file and waits for the disk; a mark already
    // stored as it is needs neither, so closing the window does not wait.
    const auto writeChanged = [&store](const QString &name, bool value) {
        std::optional<QString> stored;
        try {
            stored = store.readText(name);
        } catch (const SettingsError &) {
            // Unreadable as it stands: the write below replaces it.
        }
        if (stored != QLatin1String(value ? "1" : "0"))
            store.writeFlag(name, value);
    };
    writeChanged(names::kUseDefaults, useDefaults);
    writeChanged(names::kStayOnTop, stayOnTop);
}

std::vector<SettingReading> readAllSettings(SettingsStore &store)
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

QString shownValue(const QString &value)
{
    constexpr qsizetype kShown = 60;
    if (value.size() <= kShown)
        return value;
    const qsizetype cut = value[kShown - 1].isHighSurrogate() ? kShown - 1 : kShown;
    return value.left(cut) + QStringLiteral("... (%1 characters)").arg(value.size());
}

EncodedSetting encodeSettingValue(const QString &name, const QString &value)
{
    const SettingSpec *spec = findSetting(name);
    if (!spec)
        return {std::nullopt, QStringLiteral("Unknown setting '%1'").arg(shownValue(name))};

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
        return {std::nullopt,
                QStringLiteral("'%1' is not a valid integer for '%2'").arg(shownValue(value), name)};
    case SettingKind::Flag: {
        const QString t = value.trimmed().toLower();
        if (t == QLatin1String("1") || t == QLatin1String("true"))
            return {flagText(true), {}};
        if (t == QLatin1String("0") || t == QLatin1String("false"))
            return {flagText(false), {}};
        return {std::nullopt, QStringLiteral("'%1' is not a valid flag for '%2' (1, 0, true or false)")
                                  .arg(shownValue(value), name)};
    }
    }
    return {std::nullopt, QStringLiteral("Unknown setting '%1'").arg(shownValue(name))};
}

std::optional<QString> addSettingOverride(const QString &assignment, QHash<QString, QString> &overrides)
{
    const qsizetype eq = assignment.indexOf(QLatin1Char('='));
    if (eq < 0)
        return QStringLiteral("Expected NAME=VALUE, not '%1'").arg(shownValue(assignment));
    const QString name = assignment.left(eq);
    EncodedSetting encoded = encodeSettingValue(name, assignment.mid(eq + 1));
    if (!encoded.text)
        return encoded.refusal;
    overrides.insert(name, *encoded.text);
    return std::nullopt;
}

std::optional<QString> writeSettingByName(SettingsStore &store, const QString &name, const QString &value)
{
    const EncodedSetting encoded = encodeSettingValue(name, value);
    if (!encoded.text)
        return encoded.refusal;
    store.writeString(name, *encoded.text);
    return std::nullopt;
}

} // namespace accrua::settings
