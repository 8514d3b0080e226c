#pragma once

#include <QMainWindow>

// The main window. For now it only shows the program's name; the command tree comes with the
// application shell.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
};
