#pragma once

#include "propagation/link_budget.h"
#include "widgets/FieldTable.h"

#include <QWidget>

#include <memory>

namespace Ui {
class PropagationPanel;
}

namespace zandrevio {

// The lower part of the RF page: the downlink budget by three models.
class PropagationPanel : public QWidget {
    Q_OBJECT

public:
    explicit PropagationPanel(QWidget* parent = nullptr);
    ~PropagationPanel() override;

    // The "Area" group starts disabled: the model at start is free space.
    void StartArea();

    // The path loss and the power the mobile receives.
    void BitBtn19Click();
    // The model: only Hata's model takes an area.
    void RadioButton3Click();
    void RadioButton4Click();
    void RadioButton5Click();

private:
    PropagationModel Model() const;

    const std::unique_ptr<Ui::PropagationPanel> m_ui;
    FieldTable<LinkField> m_fields;
};

} // namespace zandrevio
