#include "app/program.h"
#include "params/gbk_text.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("serverconf"));
    return serverconf::runProgram(serverconf::socketLayerAvailable(), serverconf::gbkAvailable());
}
