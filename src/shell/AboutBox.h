#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TAboutBox;
}

namespace zandrevio {

// The about box: product name, version and an OK button. Escape does
// nothing; OK, Enter and the close box close it.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);
    ~TAboutBox() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const std::unique_ptr<Ui::TAboutBox> m_ui;
};

} // namespace zandrevio
