#include "app/MainWindow.h"

#include <QLabel>
#include <QStatusBar>

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Dulvet Ön Muhasebe"));
    auto* label = new QLabel(QStringLiteral("Dulvet Ön Muhasebe"), this);
    label->setAlignment(Qt::AlignCenter);
    setCentralWidget(label);
    statusBar()->showMessage(QStringLiteral("Hazır"));
    resize(1024, 700);
}
