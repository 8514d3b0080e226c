#include "Subsystems.h"
#include "app/Desktop.h"
#include "app/InstanceLock.h"
#include "app/MainWindow.h"
#include "app/MessageWindow.h"
#include "printing/OnIzle.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dulvet"));
    QApplication::setApplicationDisplayName(QStringLiteral("DULVET 3"));
    Desktop::installTurkishTranslations(app);
    Desktop::usePasswordStars(app);
    Desktop::switchLocksOn();
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("dir"), QStringLiteral("Program dizini (Users.ini)."),
                      QStringLiteral("dizin")});
    parser.addOption({QStringLiteral("rapor"),
                      QStringLiteral("Saklanmış bir rapor dosyasını (.qrp) ön izlemede açar."),
                      QStringLiteral("dosya")});
    parser.addHelpOption();
    parser.process(app);

    const QString programDir = programDirectory(parser.value(QStringLiteral("dir")));
    InstallSettings install(programDir);
    if (parser.isSet(QStringLiteral("rapor"))) {
        // A saved report: the preview alone, without a company.
        DialogMessages messages;
        Shell shell(install, messages);
        try {
            TfrmOnIzle preview(shell, PageSet::load(parser.value(QStringLiteral("rapor"))));
            Desktop::showCoveringScreen(preview);
            return preview.exec();
        } catch (const AppError& e) {
            messages.noticeBox(nullptr, e.message(), e.detail(), QStringLiteral("DULVET 3"));
            return 1;
        }
    }
    InstanceLock lock(install.mem());
    if (!lock.acquired()) {
        DialogMessages messages;
        messages.noticeBox(nullptr, QStringLiteral("Program şu anda zaten çalışıyor"),
                           QStringLiteral("tekrar çalıştıramazsınız"), QStringLiteral("DULVET 3"));
        return 1;
    }
    WindowRegistry windows;
    registerWindows(windows);
    MainWindow window(programDir);
    window.shell().windows = &windows;
    Desktop::showCoveringScreen(window);
    return QApplication::exec();
}
