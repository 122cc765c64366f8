// A whole process from start to the first paint of a window, then out:
//   window_start zandrevio   the program's window, set up as main() sets it up
//   window_start bare        a bare Qt window with the same eight tabs
// bench/startup.sh runs both in turn and compares their CPU times.
#include "shell/ApplicationSetup.h"
#include "shell/Zandrevio.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <QEvent>

#include <cstdlib>
#include <cstring>

namespace {

// Eight pages of a few widgets each, with the program's window size.
void ShowBare(QWidget& window)
{
    window.resize(600, 433);
    auto* pages = new QTabWidget(&window);
    pages->setGeometry(0, 0, 600, 433);
    for (const char* name : {"RF", "Traffic", "Cable", "Antenna", "Units", "Planning", "Path", "Receiver"}) {
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(new QLabel(QStringLiteral("Caption"), page));
        layout->addWidget(new QLineEdit(QStringLiteral("10"), page));
        layout->addWidget(new QPushButton(QStringLiteral("Calculate"), page));
        pages->addTab(page, QString::fromLatin1(name));
    }
    window.show();
}

} // namespace

// Counts the paints a window gets.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

int main(int argc, char* argv[])
{
    const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
    QApplication app(argc, argv);
    PaintCounter counter;
    QWidget* window = nullptr;
    if (bare) {
        window = new QWidget;
        window->installEventFilter(&counter);
        ShowBare(*window);
    } else {
        zandrevio::SetUpApplication(app);
        window = new zandrevio::TZandrevio;
        window->installEventFilter(&counter);
        window->show();
    }
    QApplication::processEvents();
    std::_Exit(counter.paints > 0 ? 0 : 1);
}
