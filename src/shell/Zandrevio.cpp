#include "shell/Zandrevio.h"

namespace zandrevio {

TZandrevio::TZandrevio(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Zandrevio");
    setWindowTitle("Zandrevio v. 1. 04");
    resize(600, 434);
}

} // namespace zandrevio
