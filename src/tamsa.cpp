#include "plocha.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The desktop matches the windows to the launcher of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tamsagame.Tamsa"));
    CreateWindows();
    return app.exec();
}
