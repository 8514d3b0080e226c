#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/MessageWindow.h"
#include "store/InstallSettings.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dulvet"));
    QApplication::setApplicationDisplayName(QStringLiteral("DULVET 3"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("dir"), QStringLiteral("Program dizini (Users.ini)."),
                      QStringLiteral("dizin")});
    parser.addHelpOption();
    parser.process(app);

    const QString programDir = programDirectory(parser.value(QStringLiteral("dir")));
    const InstallSettings install(programDir);
    InstanceLock lock(install.mem());
    if (!lock.acquired()) {
        DialogMessages messages;
        messages.noticeBox(nullptr, QStringLiteral("Program şu anda zaten çalışıyor"),
                           QStringLiteral("tekrar çalıştıramazsınız"), QStringLiteral("DULVET 3"));
        return 1;
    }
    MainWindow window(programDir);
    window.showFullScreen();
    return QApplication::exec();
}
