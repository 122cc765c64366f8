#include "widgets/Feedback.h"

#include <QApplication>
#include <QMessageBox>

namespace zandrevio {

namespace {
SystemFeedback& System()
{
    static SystemFeedback system;
    return system;
}

Feedback*& Installed()
{
    static Feedback* current = &System();
    return current;
}

void ShowBox(const QString& caption, const QString& text)
{
    // No parent: the box is centred on the screen and modal to the application.
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}
} // namespace

void SystemFeedback::Beep()
{
    QApplication::beep();
}

void SystemFeedback::ShowError(const QString& message)
{
    ShowBox(QStringLiteral("Error"), message);
}

void SystemFeedback::ShowApplicationError(const QString& text)
{
    ShowBox(QApplication::applicationName(), text);
}

void SetFeedback(Feedback* feedback)
{
    Installed() = feedback != nullptr ? feedback : &System();
}

void Beep()
{
    Installed()->Beep();
}

void ShowError(const QString& message)
{
    Installed()->ShowError(message);
}

void ShowApplicationError(const QString& text)
{
    Installed()->ShowApplicationError(text);
}

} // namespace zandrevio
