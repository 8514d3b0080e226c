#pragma once

#include "app/Shell.h"

#include <QStringList>
#include <deque>

// Answers the message window from a script and remembers what was asked.
class ScriptedMessages : public MessageHandler {
public:
    std::deque<int> answers; // taken in order; 0 when the script has run out
    QStringList asked;       // "line1 / line2"
    QStringList titles;      // the title of each, in the same order

    int confirmBox(QWidget*, const QString& line1, const QString& line2,
                   const QString& title) override
    {
        titles << title;
        return next(line1, line2);
    }
    int noticeBox(QWidget*, const QString& line1, const QString& line2,
                  const QString& title) override
    {
        titles << title;
        return next(line1, line2);
    }

private:
    int next(const QString& line1, const QString& line2)
    {
        asked << line1 + QStringLiteral(" / ") + line2;
        if (answers.empty()) return 0;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
