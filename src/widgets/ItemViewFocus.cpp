#include "widgets/ItemViewFocus.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QItemSelectionModel>
#include <QPersistentModelIndex>

namespace zandrevio {

namespace {
// The item put aside, kept with the view and gone with it.
class PutAside : public QObject {
public:
    using QObject::QObject;
    QPersistentModelIndex index;
};

const QString kPutAsideName = QStringLiteral("zandrevio-put-aside");

PutAside* PutAsideOf(const QAbstractItemView& view)
{
    // Found by its name: without a meta-object of its own, a search by type
    // would take any child.
    return dynamic_cast<PutAside*>(view.findChild<QObject*>(kPutAsideName, Qt::FindDirectChildrenOnly));
}

bool Within(const QAbstractItemView& view, const QWidget* widget)
{
    return widget != nullptr && (widget == &view || view.isAncestorOf(widget));
}
} // namespace

void CurrentOnlyWhileFocused(QAbstractItemView& view)
{
    auto* aside = new PutAside(&view);
    aside->setObjectName(kPutAsideName);
    QObject::connect(qApp, &QApplication::focusChanged, aside, [&view, aside](QWidget*, QWidget* now) {
        QItemSelectionModel* selection = view.selectionModel();
        if (selection == nullptr) {
            return;
        }
        if (Within(view, now)) {
            // Taken back even where the view, coming into focus without a
            // current item, has made its first one current: the item shown
            // selected is the one the buttons act on.
            if (aside->index.isValid()) {
                selection->setCurrentIndex(aside->index, QItemSelectionModel::NoUpdate);
            }
            aside->index = QPersistentModelIndex();
        } else if (selection->currentIndex().isValid()) {
            aside->index = selection->currentIndex();
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
        }
    });
    // An item made current from elsewhere (a button beside the view) is put
    // aside at once.
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentChanged, aside,
                     [&view, aside](const QModelIndex& now) {
                         if (now.isValid() && !Within(view, QApplication::focusWidget())) {
                             aside->index = now;
                             view.selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
                         }
                     });
}

QModelIndex CurrentOrPutAside(const QAbstractItemView& view)
{
    const QModelIndex current = view.currentIndex();
    if (current.isValid()) {
        return current;
    }
    const PutAside* aside = PutAsideOf(view);
    return aside != nullptr ? QModelIndex(aside->index) : QModelIndex();
}

} // namespace zandrevio
