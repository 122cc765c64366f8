#pragma once

#include "receiver/intermodulation.h"

#include <QAbstractTableModel>

#include <memory>
#include <vector>

namespace zandrevio {

// The intermodulation products of a search as a table: frequency, order,
// make-up and band. A busy site's search finds hundreds of thousands, so the
// texts are made only for the rows a view shows (or a copy reads), from the
// search's own list, which the plot shares.
class ProductTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Frequency, Order, Product, Band, ColumnCount };

    explicit ProductTableModel(QObject* parent = nullptr);

    void SetProducts(std::shared_ptr<const std::vector<IntermodProduct>> products);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::shared_ptr<const std::vector<IntermodProduct>> m_products;
};

} // namespace zandrevio
