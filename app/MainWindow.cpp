#include "app/MainWindow.h"

#include "store/AppError.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/StoreSession.h"

#include <QLabel>
#include <QStatusBar>

MainWindow::MainWindow(const QString& programDir, QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Dulvet Ön Muhasebe"));
    QString text = QStringLiteral("<h2>Dulvet Ön Muhasebe</h2>");
    try {
        const InstallSettings install(programDir);
        StoreSession session(install.privateRoot());
        session.addPassword(masterPassword());
        GlobalData global(session, install.dataDirectory());
        QStringList companies;
        Table& sirket = global.sirket();
        for (sirket.first(); !sirket.eof(); sirket.next())
            companies << (sirket["SKodu"].asString() + QStringLiteral(" — ") +
                          sirket["Aciklama"].asString())
                             .toHtmlEscaped();
        text += QStringLiteral("<p>Veri dizini: %1</p><p>Şirketler:<br>%2</p>")
                    .arg(install.dataDirectory().toHtmlEscaped(),
                         companies.join(QStringLiteral("<br>")));
    } catch (const AppError& e) {
        text += QStringLiteral("<p>%1</p>").arg(e.message().toHtmlEscaped());
    }
    auto* label = new QLabel(text, this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    statusBar()->showMessage(QStringLiteral("Hazır"));
    resize(1024, 700);
}
