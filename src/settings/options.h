// What the options dialog shows and stores, without widgets.
//
// The dialog's FormShow reads fourteen values from the store into an
// OptionsState (the state of its controls) in a fixed order, and its OK
// writes the state back in another fixed order, each as one batch. The store
// is reached through OptionsStore so that the orders can be observed;
// SettingsStoreAccess is the one the program uses.
#pragma once

#include "settings/store.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace accrua::settings {

// The items of the dialog's lists, in their order.
const QStringList &amortizedBaseItems(); // "360", "365"
const QStringList &amortScheduleItems(); // "MONTHLY", "WEEKLY"
const QStringList &resolutionItems();    // payment amount, number of payments
const QStringList &loanTypeItems();      // sorted

class OptionsStore {
public:
    virtual ~OptionsStore();
    virtual QString readString(const QString &name, const QString &defaultText) = 0;
    virtual std::int32_t readInteger(const QString &name, std::int32_t defaultValue) = 0;
    virtual bool readFlag(const QString &name, bool defaultValue) = 0;
    virtual void writeString(const QString &name, const QString &text) = 0;
    virtual void writeInteger(const QString &name, std::int32_t value) = 0;
    virtual void writeFlag(const QString &name, bool value) = 0;
};

class SettingsStoreAccess : public OptionsStore {
public:
    explicit SettingsStoreAccess(SettingsStore &store) : m_store(store) {}
    QString readString(const QString &name, const QString &defaultText) override;
    std::int32_t readInteger(const QString &name, std::int32_t defaultValue) override;
    bool readFlag(const QString &name, bool defaultValue) override;
    void writeString(const QString &name, const QString &text) override;
    void writeInteger(const QString &name, std::int32_t value) override;
    void writeFlag(const QString &name, bool value) override;

private:
    SettingsStore &m_store;
};

// The controls of the dialog. Indices are those of the item lists above; the
// texts are exactly what the edits hold.
struct OptionsState {
    int amortScheduleIndex = 0;
    int resolutionIndex = 0;
    QString amortTitle;
    QString loanType;
    int amortizedBaseIndex = 1;
    QString imagePath;
    bool useClassicView = false;
    bool amortPrintTotals = true;
    bool printImage = true;
    QString savingsTitle;
    QString savingsSubtitle;
    bool savingsPrintTotals = true;
    QString dailyTitle;
    QString dailySubtitle;

    // Every control as it shows the value nothing stored gives.
    static OptionsState defaults();
};

// FormShow's reads, in order. `imagePathRead` runs right after IMAGEPATH has
// been read, where the dialog loads its picture. A value the store cannot read
// keeps its default and the reading goes on, so that a later OK does not write
// defaults over values that were never shown; the first failure's text is
// returned for the error report.
std::optional<QString> readOptions(OptionsStore &store, OptionsState &state,
                                   const std::function<void(const QString &)> &imagePathRead = {});

// OK's writes, in order. A failure throws SettingsError and stops the batch;
// values written before stay written.
void writeOptions(OptionsStore &store, const OptionsState &state);

} // namespace accrua::settings
