#include "store/AppError.h"

#include <QCoreApplication>
#include <QTextStream>

// The administrator's command: installations, companies, demo books, checks.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dulvet-admin"));
    QTextStream err(stderr);
    err << "Kullanım: dulvet-admin KOMUT ...\n";
    return 2;
}
