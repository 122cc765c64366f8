// Renders the real window offscreen and writes one PNG per page, so that the
// pictures in the README always show the program as it is.
//   zandrevio_screenshots OUTPUT_FOLDER
#include "shell/ApplicationSetup.h"
#include "shell/Zandrevio.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    zandrevio::SetUpApplication(app);
    zandrevio::TZandrevio window;
    window.show();
    QApplication::processEvents();

    // The antenna plot is blank until drawn: show the default curve.
    if (auto* draw = window.findChild<QPushButton*>(QStringLiteral("BitBtn20"))) {
        draw->click();
    }

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    auto* pages = window.findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        const QString file = folder.filePath(pages->tabText(i).toLower() + QStringLiteral(".png"));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
