// The sixteen stored values: their names, kinds and defaults, and the batches
// that move them between the store and the main window's AppSettings.
#pragma once

#include "settings/appsettings.h"
#include "settings/store.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace accrua::settings {

namespace names {
inline const QString kPrintTotals = QStringLiteral("PRINTTOTALS");
inline const QString kImagePath = QStringLiteral("IMAGEPATH");
inline const QString kTitle = QStringLiteral("TITLE");
inline const QString kLoanType = QStringLiteral("LOANTYPE");
inline const QString kAmortizedBase = QStringLiteral("AMORTIZEDBASE");
inline const QString kUseDefaults = QStringLiteral("USEDEFAULTS");
inline const QString kPaymentResolution = QStringLiteral("PAYMENTRESOLUTION");
inline const QString kAmortSchedule = QStringLiteral("AMORTSCHEDULE");
inline const QString kSavingsTitle = QStringLiteral("SAVINGSTITLE");
inline const QString kSavingsSubtitle = QStringLiteral("SAVINGSSUBTITLE");
inline const QString kPrintSavingsTotals = QStringLiteral("PRINTSAVINGSTOTALS");
inline const QString kDailyTitle = QStringLiteral("DAILYTITLE");
inline const QString kDailySubtitle = QStringLiteral("DAILYSUBTITLE");
inline const QString kPrintImage = QStringLiteral("PRINTIMAGE");
inline const QString kUseClassicView = QStringLiteral("USECLASSICVIEW");
inline const QString kStayOnTop = QStringLiteral("STAYONTOP");
} // namespace names

// The two Tools menu check marks start clear.
inline constexpr bool kUseDefaultsDefault = false;
inline constexpr bool kStayOnTopDefault = false;

enum class SettingKind { String, Integer, Flag };
QString settingKindName(SettingKind kind); // "string", "integer", "flag"

struct SettingSpec {
    QString name;
    SettingKind kind;
    QString defaultText; // in the stored encoding: flags "1"/"0"
};

// All sixteen, in the order of the store's documentation.
const std::vector<SettingSpec> &settingSpecs();
const SettingSpec *findSetting(const QString &name);

// The fifteen reads into AppSettings and the "Use Defaults" mark, in order.
// A store error stops the batch: fields read before keep their new values,
// later ones what they held.
void LoadSettings(SettingsStore &store, AppSettings &settings, bool &useDefaults);

// The "Stay On Top" mark, restored when the main window is created.
bool readStayOnTop(SettingsStore &store);

// Both Tools menu marks, written when the main window closes; a mark the
// store already holds as it is is not written again.
void writeToolsMarks(SettingsStore &store, bool useDefaults, bool stayOnTop);

struct SettingReading {
    QString name;
    SettingKind kind;
    QString value;  // the effective value in the kind's encoding
    bool isDefault; // the effective value equals the default
};

// Every value as the program would use it, for display.
std::vector<SettingReading> readAllSettings(SettingsStore &store);

// A value as a message quotes it: a long one cut to its first 60 characters
// and its length, so that a refusal stays one readable line.
QString shownValue(const QString &value);

// A value given by name, in its kind's stored encoding, or why it was refused
// (an unknown name or a value that does not fit the kind). Flags take 1/0 or
// true/false; integers 32-bit decimal; texts anything but a NUL.
struct EncodedSetting {
    std::optional<QString> text;
    QString refusal;
};
EncodedSetting encodeSettingValue(const QString &name, const QString &value);

// Adds one NAME=VALUE assignment (the command line's --setting) to
// `overrides` in the stored encoding. Returns the refusal text, or nothing.
std::optional<QString> addSettingOverride(const QString &assignment, QHash<QString, QString> &overrides);

// Stores one value by name in its kind's encoding. Returns the refusal text
// for an unknown name or a value that does not fit the kind, nothing when
// stored; store failures throw SettingsError. Flags take 1/0 or true/false.
std::optional<QString> writeSettingByName(SettingsStore &store, const QString &name, const QString &value);

} // namespace accrua::settings
