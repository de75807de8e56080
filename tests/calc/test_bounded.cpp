// Bounded loops: every loan the fields let through is solved or refused in
// well under a second, and no schedule pays on a loan already paid off or
// lets a paid-off balance grow again.
#include "calc/solver.h"

#include "faults.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace accrua::calc;

namespace {

struct Loan {
    const char *name;
    bool paymentMode; // else the number of payments
    Extended principal, rate, payment;
    std::int64_t months;
    Resolution resolution;
};

// 0 when the outcome is sound, else which rule it broke.
int soundness(const LoanOutcome &out, Resolution resolution)
{
    if (out.status != LoanStatus::Solved)
        return out.rows.empty() ? 0 : 1;
    if (out.rows.empty() || static_cast<std::int64_t>(out.rows.size()) != out.count)
        return 2;
    for (std::size_t k = 1; k < out.rows.size(); ++k) {
        if (out.rows[k - 1].Balance.count == 0)
            return 3; // a payment after the loan is paid off
    }
    // Raising the payment goes on until nothing is left (one added payment
    // need not clear a residual at an extreme rate).
    if (resolution == Resolution::IncreasePaymentAmount && out.rows.back().Balance.count != 0)
        return 4;
    return 0;
}

class BoundedLoans : public ::testing::TestWithParam<Loan> {};

TEST_P(BoundedLoans, EndQuicklyWithASoundSchedule)
{
    const Loan &loan = GetParam();
    const auto start = std::chrono::steady_clock::now();
    const int status = accrua::testsupport::runWithTimeLimit(20, [&] {
        LoanRequest request;
        request.principal = loan.principal;
        request.ratePercent = loan.rate;
        request.payment = loan.payment;
        request.count = loan.months;
        request.resolution = loan.resolution;
        try {
            const LoanOutcome out =
                loan.paymentMode ? solvePaymentAmount(request) : solveNumberOfPayments(request);
            return soundness(out, loan.resolution);
        } catch (const std::exception &) {
            return 0; // refused as out of range: an answer, not a hang
        }
    });
    EXPECT_EQ(status, 0) << "-1: did not end within 20 s";
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

constexpr Resolution kAmount = Resolution::IncreasePaymentAmount;
constexpr Resolution kCount = Resolution::IncreasePaymentCount;

INSTANTIATE_TEST_SUITE_P(
    Loans, BoundedLoans,
    ::testing::Values(Loan{"NegativeCentPrincipal", false, -0.01L, 6, 860.66L, 0, kAmount},
                      Loan{"NegativePrincipal", false, -1, 6, 860.66L, 0, kAmount},
                      Loan{"NegativePrincipalByCount", false, -1, 6, 860.66L, 0, kCount},
                      Loan{"NegativePrincipal855", false, -855, 6, 860.66L, 0, kAmount},
                      Loan{"NegativePrincipal855ByCount", false, -855, 6, 860.66L, 0, kCount},
                      Loan{"NegativePrincipalOtherPayment", false, -300, 9, 25, 0, kAmount},
                      Loan{"ExtremeRateSmallLoan", true, 1, 2147483648.0L, 0, 12, kAmount},
                      Loan{"ExtremeRate", true, 10000, 2147483648.0L, 0, 12, kAmount},
                      Loan{"ExtremeRateMillion", true, 1000000, 2147483648.0L, 0, 12, kAmount},
                      Loan{"ExtremeRatePastTheFieldsCents", true, 99999999, 2147483648.0L, 0, 12, kAmount},
                      Loan{"ExtremeRateByCount", true, 10000, 2147483648.0L, 0, 12, kCount},
                      Loan{"ExtremeRateCountMode", false, 10000, 2147483648.0L, 20000000000.0L, 0, kAmount},
                      Loan{"CentsPaidOffBeforeTheCount", true, 1, 6, 0, 96, kAmount},
                      Loan{"CentsPaidOffBeforeTheCountByCount", false, 1, 6, 0.02L, 0, kCount},
                      Loan{"ThousandYears", true, 100000, 7, 0, 12000, kAmount}),
    [](const ::testing::TestParamInfo<Loan> &row) { return std::string(row.param.name); });

} // namespace
