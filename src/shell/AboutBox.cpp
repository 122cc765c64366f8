#include "shell/AboutBox.h"
#include "ui_AboutBox.h"

#include "shell/ProgramPictures.h"

#include <QKeyEvent>

namespace zandrevio {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::TAboutBox)
{
    m_ui->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setFixedSize(size());
    setModal(true);
    QFont font = this->font();
    font.setPixelSize(14);
    setFont(font);
    QFont large = font;
    large.setPixelSize(18);
    m_ui->ProductName->setFont(large);
    m_ui->Version->setFont(large);
    m_ui->ProgramIcon->setPixmap(ProductNamePicture(QSize(199, 31), true));
    connect(m_ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::keyPressEvent(QKeyEvent* event)
{
    // The box has no cancel button, so Escape has nothing to press.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace zandrevio
