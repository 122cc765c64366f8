#pragma once

#include "receiver/cascade.h"

#include <QTableWidget>

#include <variant>
#include <vector>

namespace zandrevio {

// The cascade as a user edits it: a row a stage in order from the antenna,
// its name, gain, noise figure, output IP3 and output P1dB typed into cells
// whose editors pass the same key filters as the window's fields; then the
// chain's worked-out share of each stage in columns of their own that take
// no typing.
class StageTable : public QTableWidget {
    Q_OBJECT

public:
    enum Column { Name, Gain, NoiseFigure, Oip3, Op1db, NoiseFigureSoFar, NoiseShare, Ip3Share, ColumnCount };

    explicit StageTable(QWidget* parent = nullptr);

    // A cell that is not what its column takes: the message of the box and
    // the cell to focus.
    struct CellRefusal {
        int row;
        int column;
        std::string message;
        bool conversion; // a text that is no number, as a field's
    };
    // The stages as typed: an empty name is the stage's number, an empty
    // noise figure, IP3 or P1dB none; an empty gain is refused.
    std::variant<std::vector<CascadeStage>, CellRefusal> Stages() const;

    // A stage after the current one (or at the end), its name cell focused
    // to type.
    void AddStage();
    // Removes the current stage; the next (or the last) becomes current.
    // The current stage is the one the table left current where the focus
    // has gone to a button.
    void RemoveStage();
    // Moves the current stage up (-1) or down (+1), keeping it current.
    void MoveStage(int by);
    void SetStage(int row, const QStringList& cells);

    // The chain's per-stage results, or none (the cells emptied).
    void ShowShares(const std::vector<StageShare>* shares);
    // Selects the cell and opens it for typing, its text selected.
    void FocusCell(int row, int column);

protected:
    // Opens a cell's editor, and tells a screen reader the focus is in it.
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* ResultItem(const QString& text) const;
};

} // namespace zandrevio
