#include "shell/ApplicationSetup.h"

#include "numeric/decimal_separator.h"
#include "shell/ProgramPictures.h"
#include "shell/application_title.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLocale>

#include <clocale>

namespace zandrevio {

namespace {
// Re-reads the separator whenever the regional settings change.
class LocaleWatcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LocaleChange) {
            ReadLocaleSeparator();
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

void ReadLocaleSeparator()
{
    std::setlocale(LC_NUMERIC, "C");
    const QString point = QLocale().decimalPoint();
    const bool usable = point.size() == 1 && point.at(0).unicode() > 32 && point.at(0).unicode() < 127;
    SetDecimalSeparator(usable ? static_cast<char>(point.at(0).unicode()) : '.');
}

void SetUpApplication(QApplication& app)
{
    // The window's layout is in pixels for "MS Sans Serif"; Liberation Sans
    // has close enough widths that no caption clips.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    QApplication::setFont(font);

    const std::string title = ApplicationTitleFromPath(QApplication::applicationFilePath().toStdString());
    QApplication::setApplicationName(QString::fromStdString(title));
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setDesktopFileName(QStringLiteral("zandrevio"));

    ReadLocaleSeparator();
    app.installEventFilter(new LocaleWatcher(&app));
}

} // namespace zandrevio
