// Renders the real window offscreen and writes one PNG per page, so that the
// pictures in the README always show the program as it is; with --icons it
// writes the program icon into a hicolor theme tree instead.
//   zandrevio_screenshots OUTPUT_FOLDER
//   zandrevio_screenshots --icons OUTPUT_FOLDER
#include "coverage/CoveragePanel.h"
#include "shell/ApplicationSetup.h"
#include "shell/ProgramPictures.h"
#include "shell/Zandrevio.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <cstdio>
#include <cstring>

namespace {

int WriteIcons(const QDir& theme)
{
    for (int side : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        if (!theme.mkpath(folder) ||
            !zandrevio::ProgramIcon().pixmap(side, side).save(theme.filePath(folder + "/zandrevio.png"))) {
            std::fprintf(stderr, "cannot write the %d pixel icon\n", side);
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
    if (argc != 2 && !icons) {
        std::fprintf(stderr, "usage: %s [--icons] OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    zandrevio::SetUpApplication(app);
    if (icons) {
        return WriteIcons(QDir(QString::fromLocal8Bit(argv[2])));
    }
    zandrevio::TZandrevio window;
    window.show();
    QApplication::processEvents();

    // The plots are blank until drawn: show the default curve of each, the
    // Planning page's worked example and the Path page's example hop, named
    // from its own folder so that the picture shows no machine's path.
    const QDir folder(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    QDir::setCurrent(QStringLiteral(ZANDREVIO_SOURCE_DIR "/docs/examples"));
    window.BuildAllPages();
    if (auto* profile = window.findChild<QLineEdit*>(QStringLiteral("ProfileFileField"))) {
        profile->setText(QStringLiteral("hill-hop.csv"));
        profile->setCursorPosition(0);
    }
    for (const char* button : {"BitBtn20", "BitBtn21", "BitBtn22", "CalculateButton", "NoiseButton", "CascadeButton",
                               "EirpButton", "IntermodButton"}) {
        if (auto* draw = window.findChild<QPushButton*>(QString::fromLatin1(button))) {
            draw->click();
        }
    }

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
    // The Coverage page's example: three sites over the example hills, the whole page.
    if (auto* coverage = window.findChild<zandrevio::CoveragePanel*>(QStringLiteral("CoveragePanel"))) {
        window.findChild<QLineEdit*>(QStringLiteral("DemField"))->setText(QStringLiteral("hills.asc"));
        window.findChild<QLineEdit*>(QStringLiteral("RadiusField"))->setText(QStringLiteral("3"));
        coverage->LoadSites(QStringLiteral("sites.csv"));
        coverage->CalculateClick();
        while (coverage->Running()) {
            QApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        QApplication::processEvents();
        const QString file = folder.filePath(QStringLiteral("coverage-whole.png"));
        if (coverage->Map()->Data() == nullptr || !coverage->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    // The Receiver page scrolls: the whole of it as well.
    if (auto* receiver = window.findChild<QWidget*>(QStringLiteral("ReceiverPanel"))) {
        const QString file = folder.filePath(QStringLiteral("receiver-whole.png"));
        if (!receiver->grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
