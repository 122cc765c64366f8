#include "shell/AboutBox.h"
#include "shell/ApplicationSetup.h"
#include "shell/Zandrevio.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zandrevio::SetUpApplication(app);
    zandrevio::TZandrevio window;
    zandrevio::TAboutBox aboutBox;
    window.SetAboutBox(&aboutBox);
    window.show();
    return app.exec();
}
