// A file dialog that answers from a queue and remembers what it was asked.
#pragma once

#include "reports/dialogs.h"

#include <QString>

#include <deque>
#include <vector>

namespace accrua::reportstest {

class ScriptedFiles : public reports::FileDialogService {
public:
    QString getOpenFileName(const reports::FileDialogRequest &r) override { return answer(r); }
    QString getSaveFileName(const reports::FileDialogRequest &r) override { return answer(r); }
    std::deque<QString> answers; // an empty queue answers as Cancel does
    std::vector<reports::FileDialogRequest> asked;

private:
    QString answer(const reports::FileDialogRequest &r)
    {
        asked.push_back(r);
        if (answers.empty())
            return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
};

} // namespace accrua::reportstest
