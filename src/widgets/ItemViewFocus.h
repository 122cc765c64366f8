#pragma once

#include <QModelIndex>

class QAbstractItemView;

namespace zandrevio {

// A screen reader hears an item view's current item as focused whenever it
// is current, even with the focus on another control. So the current item
// is put aside when the focus leaves the view (and whatever editor it has
// open) and comes back with the focus; the buttons beside the view act on
// it all the same.
void CurrentOnlyWhileFocused(QAbstractItemView& view);

// The view's current item, or the one put aside while the focus is elsewhere.
QModelIndex CurrentOrPutAside(const QAbstractItemView& view);

} // namespace zandrevio
