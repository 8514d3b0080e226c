#pragma once

#include <QMainWindow>

// The main window. For now it shows the installation and its companies; the command tree comes
// with the application shell.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const QString& programDir, QWidget* parent = nullptr);
};
