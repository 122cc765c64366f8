#pragma once

#include <QString>

class QMenu;
class QTabWidget;
class QWidget;

namespace zandrevio {

// Every input, choice and result of a page that is in use, in its Tab order,
// one line each as "caption<TAB>value<TAB>unit": a caption's "(unit)" or the
// unit picker beside it gives the unit, a picker or a radio button its
// choice; a caption met twice on a page is qualified so each is unique.
QString ResultsText(QWidget& page);

// Adds "Copy results" of the page `onPage` is on to a context menu.
void AddCopyResults(QMenu& menu, QWidget* onPage);

// Gives every page of the page control a context menu with "Copy results".
void AddPageMenus(QTabWidget& pages);

} // namespace zandrevio
