#include "settings/loaninfoservice.h"

#include <cstdint>

namespace accrua::settings {

LoanInfoService::~LoanInfoService() = default;

LoanInfoAnswer ScriptedLoanInfoService::askLoanInfo(const QString &loanType)
{
    m_asked.append(loanType);
    if (m_answers.empty())
        return LoanInfoAnswer{false, m_defaultDate, loanType};
    LoanInfoAnswer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

int CentredOffset(int outer, int inner)
{
    const std::int64_t diff = static_cast<std::int64_t>(outer) - inner;
    // Floor of diff / 2, then a half (odd diff) goes to the even neighbour.
    std::int64_t half = diff >= 0 ? diff / 2 : -((-diff + 1) / 2);
    if (diff % 2 != 0 && half % 2 != 0)
        ++half;
    return static_cast<int>(half);
}

QPoint CentredTopLeft(const QRect &mainFrame, const QSize &dialogFrame)
{
    return QPoint(mainFrame.left() + CentredOffset(mainFrame.width(), dialogFrame.width()),
                  mainFrame.top() + CentredOffset(mainFrame.height(), dialogFrame.height()));
}

} // namespace accrua::settings
