#pragma once

namespace zandrevio {

// Page tabs as a screen reader meets them: each tab is named by its text,
// pressed to turn to its page, selected when its page is shown, and focused
// only while the tab bar has the focus (one focus at a time in the window).
void InstallPageTabsAccessible();

} // namespace zandrevio
