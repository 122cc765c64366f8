#pragma once

#include <functional>

class QAbstractButton;
class QObject;
#include <utility>

namespace zandrevio {

// Runs one handler of the window. A field that is not a number or a
// floating-point fault ends the handler where it happens and shows the
// application error box; what the handler wrote before that stays.
void RunHandler(const std::function<void()>& handler);

// A slot that runs `handler` under RunHandler, for connecting to any signal.
template <typename Handler>
auto Guarded(Handler handler)
{
    return [handler = std::move(handler)] { RunHandler(handler); };
}

// Runs `handler` under RunHandler whenever the radio button becomes checked;
// clicking the button already checked runs nothing.
void OnChecked(QAbstractButton* button, QObject* context, std::function<void()> handler);

} // namespace zandrevio
