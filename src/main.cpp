#include "Brumo.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Brumo *GUIwrapper = new Brumo(nullptr, nullptr);
    GUIwrapper->show();
    return app.exec();
}
