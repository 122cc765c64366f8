#include "receiver/ProductTableModel.h"

#include "receiver/receiver_results.h"
#include "widgets/FieldIo.h"
#include "widgets/FieldTable.h"

#include <limits>

namespace zandrevio {

ProductTableModel::ProductTableModel(QObject* parent)
    : QAbstractTableModel(parent)
    , m_products(std::make_shared<const std::vector<IntermodProduct>>())
{
}

void ProductTableModel::SetProducts(std::shared_ptr<const std::vector<IntermodProduct>> products)
{
    beginResetModel();
    m_products = std::move(products);
    endResetModel();
}

int ProductTableModel::rowCount(const QModelIndex& parent) const
{
    // A view counts its rows in an int; a search far beyond that is not
    // possible with 32 carriers to the seventh order.
    return parent.isValid()
        ? 0
        : static_cast<int>(std::min<std::size_t>(m_products->size(), std::numeric_limits<int>::max()));
}

int ProductTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ProductTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue((index.column() == Product ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const IntermodProduct& product = (*m_products)[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case Frequency:
        return ResultText(kProductFrequencyResult, product.frequencyMhz);
    case Order:
        return QString::number(product.order);
    case Product:
        return ToQString(IntermodProductText(product));
    case Band:
        return QString::number(product.band + 1);
    default:
        return {};
    }
}

QVariant ProductTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case Frequency:
        return tr("Frequency (MHz)");
    case Order:
        return tr("Order");
    case Product:
        return tr("Product");
    case Band:
        return tr("Band");
    default:
        return {};
    }
}

} // namespace zandrevio
