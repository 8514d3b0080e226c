#pragma once

#include "app/MessageWindow.h"
#include "app/Shell.h"
#include "store/InstallSettings.h"

#include <QMainWindow>

// The main window. For now it shows the installation and its companies and opens the macro
// definitions (F6); the command tree comes with the application shell.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const QString& programDir, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void openMacros();

    InstallSettings install_;
    DialogMessages messages_;
    Shell shell_;
};
