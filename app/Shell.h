#pragma once

#include <QString>
#include <functional>

class CompanyData;
class GlobalData;
class InstallSettings;
class StoreSession;
class WindowRegistry;
class QWidget;

// The two kinds of card the quick windows show.
enum class QuickCard { Customer, Stock };

// Answers the message window's questions. The program shows the real window; tests give
// scripted answers.
class MessageHandler {
public:
    virtual ~MessageHandler() = default;
    // 1 for yes ("Evet [F2]"), 0 for no ("Hayır [Esc]").
    virtual int confirmBox(QWidget* parent, const QString& line1, const QString& line2,
                           const QString& title) = 0;
    // 1 when "Tamam [F2]" was chosen, 0 when closed with Esc.
    virtual int noticeBox(QWidget* parent, const QString& line1, const QString& line2,
                          const QString& title) = 0;
    // A question asked while a scanner may still be sending keys: only F2, Esc or a click
    // answer it, so the Enter that ends a scan never does.
    virtual int confirmBoxKeysOnly(QWidget* parent, const QString& line1, const QString& line2,
                                   const QString& title)
    {
        return confirmBox(parent, line1, line2, title);
    }
};

// What the main window offers every window: settings, the message window, the open company and
// the program-wide commands behind the hidden shortcuts. Windows get it when they are made.
struct Shell {
    Shell(InstallSettings& settings, MessageHandler& handler)
        : install(settings)
        , messages(handler)
    {
    }

    InstallSettings& install;
    MessageHandler& messages;
    bool companyIsOpen = false;
    QString activeCompanyCode;
    QString activeCompanyTitle;
    CompanyData* company = nullptr;
    GlobalData* global = nullptr;
    StoreSession* session = nullptr;
    int workingYear = 0;
    // The windows of the tree's command codes; null in tests that open windows themselves.
    const WindowRegistry* windows = nullptr;

    // Program-wide commands; each may be left empty until its window exists.
    std::function<void(QWidget*)> quickCustomerList; // Alt+F9
    std::function<void(QWidget*)> quickStockList;    // Alt+F10
    std::function<void(QWidget*)> helpWindow;        // F1
    std::function<void(QWidget*)> browserHelp;       // Alt+F1
    std::function<void(QWidget*)> notesPage;         // Alt+F8
    std::function<void(QWidget*)> minimizeProgram;   // F12
};

int ConfirmBox(Shell& shell, const QString& line1, const QString& line2, const QString& title,
               QWidget* parent = nullptr);
int NoticeBox(Shell& shell, const QString& line1, const QString& line2, const QString& title,
              QWidget* parent = nullptr);
int ConfirmScanBox(Shell& shell, const QString& line1, const QString& line2, const QString& title,
                   QWidget* parent = nullptr);
