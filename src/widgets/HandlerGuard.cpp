#include "widgets/HandlerGuard.h"

#include "numeric/app_error.h"
#include "widgets/Feedback.h"

#include <QAbstractButton>
#include <QString>

namespace zandrevio {

void RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const ApplicationError& error) {
        ShowApplicationError(QString::fromStdString(ApplicationErrorBoxText(error.Message())));
    }
}

void OnChecked(QAbstractButton* button, QObject* context, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::toggled, context, [handler = std::move(handler)](bool checked) {
        if (checked) {
            RunHandler(handler);
        }
    });
}

} // namespace zandrevio
