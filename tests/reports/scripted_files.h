// A file dialog that answers from a queue and remembers what it was asked.
#pragma once

#include "desktop/dialogs.h"

#include <QString>

#include <deque>
#include <vector>

namespace accrua::reportstest {

class ScriptedFiles : public desktop::FileDialogService {
public:
    QString getOpenFileName(const desktop::FileDialogRequest &r) override { return answer(r); }
    QString getSaveFileName(const desktop::FileDialogRequest &r) override { return answer(r); }
    std::deque<QString> answers; // an empty queue answers as Cancel does
    std::vector<desktop::FileDialogRequest> asked;

private:
    QString answer(const desktop::FileDialogRequest &r)
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
