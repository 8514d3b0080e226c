#pragma once

#include "app/AccessConfig.h"
#include "app/MessageWindow.h"
#include "app/Shell.h"
#include "store/InstallSettings.h"

#include <QMainWindow>
#include <memory>

class CompanyData;
class GlobalData;
class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;
class StoreSession;

// The main window: the top bar with the caption, the background picture, and the command panel
// (tool bar and command tree). It holds the run-time state: the open company, the working year
// and the signed-in user's rights. At its first activation it signs the user in and lets them
// choose a company.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `messages` replaces the message window (tests); `autoStart` false skips the sign-in and
    // the company choice at the first activation.
    MainWindow(const QString& programDir, MessageHandler* messages = nullptr,
               bool autoStart = true);
    ~MainWindow() override;

    Shell& shell() { return shell_; }
    QTreeWidget* tree() const { return tree_; }
    QFrame* panel() const { return panel_; }
    QPushButton* button(const QString& name) const;
    const AccessRights& rights() const { return rights_; }
    void setRights(const AccessRights& rights) { rights_ = rights; }
    QString caption() const;

    // First activation: separators, sign-in, company choice. False when the program is to end.
    bool startUp();
    // Opens the store session and the global tables; false (after telling why) when it fails.
    bool openGlobalData();
    void chooseCompany();
    // Opens the company of shell().activeCompanyCode, or clears it when none was chosen.
    void openOrClearCompany();
    void runSelectedCommand();
    void openCompanyList();
    void openPeriodTransfer();
    void openBackup();
    void openMacros();
    void toggleFullPanel();
    void togglePanel();
    void showAbout();
    void askQuit();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildTree();
    void placePanel();
    bool handleKey(QKeyEvent* event);
    void setBusy(bool on);

    InstallSettings install_;
    std::unique_ptr<DialogMessages> ownMessages_;
    Shell shell_;
    std::unique_ptr<StoreSession> session_;
    std::unique_ptr<GlobalData> global_;
    std::unique_ptr<CompanyData> company_;
    AccessRights rights_;
    bool autoStart_;
    bool started_ = false;
    bool fullPanel_ = false;
    bool quitting_ = false;

    QWidget* background_ = nullptr;
    QLabel* captionLabel_ = nullptr;
    QWidget* topButtons_ = nullptr;
    QFrame* panel_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QHash<QString, QPushButton*> buttons_;
};
