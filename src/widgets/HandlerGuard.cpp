#include "widgets/HandlerGuard.h"

#include "numeric/app_error.h"
#include "widgets/Feedback.h"

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

} // namespace zandrevio
