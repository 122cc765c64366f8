#include "shell/ApplicationSetup.h"
#include "shell/Zandrevio.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zandrevio::SetUpApplication(app);
    zandrevio::TZandrevio window;
    window.show();
    return app.exec();
}
