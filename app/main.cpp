#include "app/MainWindow.h"
#include "store/InstallSettings.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dulvet"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("dir"), QStringLiteral("Program dizini (Users.ini)."),
                      QStringLiteral("dizin")});
    parser.addHelpOption();
    parser.process(app);
    MainWindow window(programDirectory(parser.value(QStringLiteral("dir"))));
    window.show();
    return QApplication::exec();
}
