#include "app/MainWindow.h"

#include "store/AppError.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/StoreSession.h"

#include "app/Makro.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

MainWindow::MainWindow(const QString& programDir, QWidget* parent)
    : QMainWindow(parent)
    , install_(programDir)
    , shell_(install_, messages_)
{
    shell_.minimizeProgram = [this](QWidget*) { showMinimized(); };
    setWindowTitle(QStringLiteral("Dulvet Ön Muhasebe"));
    QString text = QStringLiteral("<h2>Dulvet Ön Muhasebe</h2>");
    try {
        const InstallSettings& install = install_;
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
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* macros = new QPushButton(QStringLiteral("Makro tanımları [F6]"), central);
    macros->setFocusPolicy(Qt::NoFocus);
    connect(macros, &QPushButton::clicked, this, &MainWindow::openMacros);
    layout->addWidget(macros, 0, Qt::AlignLeft);
    auto* label = new QLabel(text, central);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label, 1);
    setCentralWidget(central);
    statusBar()->showMessage(QStringLiteral("Hazır"));
    resize(1024, 700);
}

void MainWindow::openMacros()
{
    TfrmMakro window(shell_, this);
    window.run();
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F6 && event->modifiers() == Qt::NoModifier) {
        openMacros();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
