#include "desktop/messages.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace accrua::desktop {
namespace {

using B = MessageButton;

TEST(Messages, CaptionsAndKindNames)
{
    const std::vector<std::tuple<MessageKind, const char *, const char *>> rows{
        {MessageKind::Warning, "Warning", "warning"},
        {MessageKind::Error, "Error", "error"},
        {MessageKind::Information, "Information", "information"},
        {MessageKind::Confirmation, "Confirm", "confirmation"},
        {MessageKind::Plain, "Accrua", "plain"},
    };
    for (const auto &[kind, caption, name] : rows) {
        EXPECT_EQ(captionFor(kind), QString::fromLatin1(caption));
        EXPECT_EQ(kindName(kind), QString::fromLatin1(name));
    }
}

TEST(Messages, ButtonsInFixedOrderWithLabelsAndCodes)
{
    const std::vector<std::tuple<MessageButton, const char *, unsigned short>> table{
        {B::Yes, "&Yes", 6},
        {B::No, "&No", 7},
        {B::OK, "OK", 1},
        {B::Cancel, "Cancel", 2},
        {B::Abort, "&Abort", 3},
        {B::Retry, "&Retry", 4},
        {B::Ignore, "&Ignore", 5},
        {B::All, "&All", 8},
        {B::NoToAll, "N&o to All", 9},
        {B::YesToAll, "Yes to &All", 10},
        {B::Help, "&Help", 0},
    };
    MessageButtons all;
    std::vector<MessageButton> order;
    for (const auto &[button, label, code] : table) {
        EXPECT_EQ(buttonLabel(button), QString::fromLatin1(label));
        EXPECT_EQ(buttonCode(button), code);
        all |= button;
        order.push_back(button);
    }
    EXPECT_EQ(orderedButtons(all), order);
    // The caller's order does not matter.
    EXPECT_EQ(orderedButtons(MessageButtons(B::Help) | B::OK | B::Yes),
              (std::vector<MessageButton>{B::Yes, B::OK, B::Help}));
    EXPECT_TRUE(orderedButtons(MessageButtons()).empty());
}

TEST(Messages, DefaultAndCancelButtons)
{
    struct Row {
        MessageButtons buttons;
        MessageButton enter, escape;
    };
    const std::vector<Row> rows{
        {B::OK, B::OK, B::OK},
        {B::Yes | B::No, B::Yes, B::No},
        {B::Yes | B::No | B::Cancel, B::Yes, B::Cancel},
        {B::OK | B::Cancel, B::OK, B::Cancel},
        {B::Abort | B::Retry | B::Ignore, B::Retry, B::Cancel},
        {B::OK | B::Yes | B::Retry, B::OK, B::OK},
        {B::Ignore | B::All, B::Ignore, B::Cancel},
        {B::Help | B::NoToAll, B::NoToAll, B::Cancel},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.buttons.toInt());
        EXPECT_EQ(defaultButton(r.buttons), r.enter);
        EXPECT_EQ(cancelButton(r.buttons), r.escape);
    }
}

TEST(Messages, ErrorReportEndsSentences)
{
    const std::vector<std::pair<const char *, const char *>> rows{
        {"Division by zero", "Division by zero."},
        {"Disk full.", "Disk full."},
        {"Stop!", "Stop!"},
        {"(see log)", "(see log)"},
        {"trailing ", "trailing "},
        {"code 42", "code 42."},
        {"", ""},
        {"a/", "a/."},
    };
    for (const auto &[failure, shown] : rows)
        EXPECT_EQ(errorReportText(QString::fromLatin1(failure)), QString::fromLatin1(shown));
}

TEST(Messages, ScriptedServiceRecordsAndAnswers)
{
    ScriptedMessageService service;
    // Without a script each box answers with its default button.
    EXPECT_EQ(service.ShowMessageDialog(QStringLiteral("Use 12?"), MessageKind::Warning, B::Yes | B::No),
              mrYes);
    EXPECT_EQ(service.ShowMessageDialog(QStringLiteral("Bad"), MessageKind::Warning, B::OK), mrOk);

    service.queueAnswer(mrNo);
    service.queueAnswer(mrCancel);
    EXPECT_EQ(service.ShowMessageDialog(QStringLiteral("q1"), MessageKind::Confirmation, B::Yes | B::No),
              mrNo);
    EXPECT_EQ(service.ShowMessageDialog(QStringLiteral("q2"), MessageKind::Confirmation, B::Yes | B::No),
              mrCancel);

    service.setDefaultAnswer([](const ScriptedMessageService::Shown &shown) -> unsigned short {
        return shown.text == QLatin1String("retry?") ? mrAbort : mrIgnore;
    });
    EXPECT_EQ(service.ShowMessageDialog(QStringLiteral("retry?"), MessageKind::Error, B::Abort | B::Retry),
              mrAbort);
    service.ShowErrorReport(QStringLiteral("Division by zero"));

    const auto &shown = service.shown();
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Use 12?"));
    EXPECT_EQ(shown[0].kind, MessageKind::Warning);
    EXPECT_EQ(shown[0].buttons, B::Yes | B::No);
    EXPECT_EQ(shown[2].answer, mrNo);
    EXPECT_FALSE(shown[4].errorReport);
    EXPECT_TRUE(shown[5].errorReport);
    EXPECT_EQ(shown[5].text, QStringLiteral("Division by zero."));
    EXPECT_EQ(shown[5].answer, mrOk);

    service.clear();
    EXPECT_TRUE(service.shown().empty());
}

} // namespace
} // namespace accrua::desktop
