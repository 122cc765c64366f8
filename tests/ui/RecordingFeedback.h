#pragma once

#include "widgets/Feedback.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace zandrevio::test {

// Stands in for the beep and the boxes: it writes down what the window asked
// for, in order ("beep", "error: <text>", "app: <text>"), and can look at the
// window at the moment a box is open.
class RecordingFeedback : public Feedback {
public:
    RecordingFeedback() { SetFeedback(this); }
    ~RecordingFeedback() override { SetFeedback(nullptr); }
    RecordingFeedback(const RecordingFeedback&) = delete;
    RecordingFeedback& operator=(const RecordingFeedback&) = delete;

    void Beep() override { events << QStringLiteral("beep"); }
    void ShowError(const QString& message) override
    {
        events << QStringLiteral("error: ") + message;
        if (whileOpen) {
            whileOpen();
        }
    }
    void ShowApplicationError(const QString& text) override
    {
        events << QStringLiteral("app: ") + text;
        if (whileOpen) {
            whileOpen();
        }
    }

    QStringList Take()
    {
        QStringList taken = events;
        events.clear();
        return taken;
    }

    QStringList events;
    std::function<void()> whileOpen;
};

} // namespace zandrevio::test
