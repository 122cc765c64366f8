#pragma once

class QTabWidget;

namespace zandrevio {

// Page tabs as a screen reader meets them: each tab is named by its text,
// pressed to turn to its page, selected when its page is shown, and focused
// only while the tab bar has the focus (one focus at a time in the window).
void InstallPageTabsAccessible();

// Narrows the room beside each tab's title so that every title of the page
// control shows whole left of `freeUpTo` (in the tab widget's parent), where
// another control lies over the tab row's right end.
void FitPageTabs(QTabWidget& pages, int freeUpTo);

} // namespace zandrevio
