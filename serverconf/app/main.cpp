#include "app/program.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("serverconf"));
    return serverconf::runProgram(serverconf::socketLayerAvailable());
}
