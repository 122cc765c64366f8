#pragma once

#include <QString>

class QMenu;
class QTabWidget;
class QWidget;

namespace zandrevio {

// Every input and result of a page, in its Tab order, as
// "caption<TAB>value<TAB>unit" lines: a caption's "(unit)" becomes the unit,
// a picker or radio group gives its choice.
QString ResultsText(QWidget& page);

// Adds "Copy results" of the page `onPage` is on to a context menu.
void AddCopyResults(QMenu& menu, QWidget* onPage);

// Gives every page of the page control a context menu with "Copy results".
void AddPageMenus(QTabWidget& pages);

} // namespace zandrevio
