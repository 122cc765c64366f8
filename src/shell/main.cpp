#include "shell/Zandrevio.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt adopted the user's locale; the C library must never read a comma.
    std::setlocale(LC_NUMERIC, "C");
    zandrevio::TZandrevio window;
    window.show();
    return app.exec();
}
