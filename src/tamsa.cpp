#include "plocha.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    CreateWindows();
    return app.exec();
}
