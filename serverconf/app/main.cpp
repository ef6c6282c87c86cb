#include "app/program.h"
#include "language/translations.h"
#include "params/gbk_text.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("serverconf"));
    serverconf::setUpLanguage(QApplication::arguments(), serverconf::QtTexts::Translated);
    return serverconf::runProgram(serverconf::socketLayerAvailable(), serverconf::gbkAvailable());
}
