#pragma once

#include <QSet>
#include <QWidget>

#include <memory>

namespace Ui {
class TZandrevio;
}

namespace zandrevio {

class TAboutBox;

// The main window: eight pages of calculators and the About button.
class TZandrevio : public QWidget {
    Q_OBJECT

public:
    explicit TZandrevio(QWidget* parent = nullptr);
    ~TZandrevio() override;

    void FormCreate();
    void BitBtn5Click();

    // The about box, created hidden after the window.
    void SetAboutBox(TAboutBox* aboutBox) { m_aboutBox = aboutBox; }
    // Builds every page's panels, as showing each page would (for pictures
    // of every page).
    void BuildAllPages();

private:
    // Builds a page's panels, once; showing the page builds them (the first
    // page is built with the window).
    void BuildPage(QWidget* page);

    const std::unique_ptr<Ui::TZandrevio> m_ui;
    QSet<QWidget*> m_built; // the pages built so far
    TAboutBox* m_aboutBox = nullptr;
    std::unique_ptr<TAboutBox> m_ownAboutBox; // made the first time About is pressed, where none was given
};

} // namespace zandrevio
