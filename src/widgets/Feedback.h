#pragma once

#include <QString>

namespace zandrevio {

// The one seam through which the window beeps and opens its boxes, so that
// tests can watch (and answer) them instead of a person.
class Feedback {
public:
    virtual ~Feedback() = default;
    // The default system beep.
    virtual void Beep() = 0;
    // The modal "Error" box of a calculation's own validation message.
    virtual void ShowError(const QString& message) = 0;
    // The application error box: a field that is not a number, or a fault.
    virtual void ShowApplicationError(const QString& text) = 0;
};

// The beep and the real message boxes.
class SystemFeedback : public Feedback {
public:
    void Beep() override;
    void ShowError(const QString& message) override;
    void ShowApplicationError(const QString& text) override;
};

// Replaces the feedback for the whole program; nullptr puts the system's back.
void SetFeedback(Feedback* feedback);

void Beep();
void ShowError(const QString& message);
void ShowApplicationError(const QString& text);

} // namespace zandrevio
