#pragma once
// Answers the windows' message boxes in tests: records every box and answers from a queue (OK
// when the queue is empty). In place for as long as it lives.
#include "platform/qt/MessageBoxes.h"

#include <deque>
#include <vector>

class RecordingMessageBoxes : public platform::MessageBoxes {
public:
    struct Box {
        QString text;
        QString caption;
        platform::MessageBoxIcon icon;
        platform::MessageBoxButtons buttons;
    };

    RecordingMessageBoxes() { platform::setMessageBoxes(this); }
    ~RecordingMessageBoxes() override { platform::setMessageBoxes(nullptr); }

    platform::MessageBoxAnswer show(QWidget*, const QString& text, const QString& caption,
                                    platform::MessageBoxIcon icon, platform::MessageBoxButtons buttons) override
    {
        shown.push_back({text, caption, icon, buttons});
        if (answers.empty())
            return platform::MessageBoxAnswer::Ok;
        const platform::MessageBoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<Box> shown;
    std::deque<platform::MessageBoxAnswer> answers;
};
