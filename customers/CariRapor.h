#pragma once

#include "customers/CustomerReports.h"
#include "printing/ReportWindow.h"

#include <QHash>

class QButtonGroup;
class QFormLayout;
class QLineEdit;

// The four customer report windows (2301–2304): their fields and groups, read into the
// choices of CustomerReports, previewed and printed through the report window's commands.
class CariRaporBase : public ReportWindow {
    Q_OBJECT
public:
    CariRaporBase(Shell& shell, const QString& title, QWidget* parent);
    QLineEdit* edit(const QString& name) const { return edits_.value(name); }
    QButtonGroup* group(const QString& name) const { return groups_.value(name); }

    // The report's pages for the current choices.
    virtual PageSet pages() = 0;

protected:
    void preview() override;
    void print() override;
    void updateCommands() override;

    QLineEdit* addEdit(const QString& name, const QString& label, const QString& hint,
                       bool date = false);
    QLineEdit* addRange(const QString& name, const QString& label, const QString& hint);
    QLineEdit* addMovementFields(); // the date range and the customer code of 2303 and 2304
    QButtonGroup* addGroup(const QString& name, const QString& title, const QStringList& choices,
                           int chosen);
    int choice(const QString& group) const;
    QString text(const QString& name) const;
    // F6 in a customer code field: the pick list, whose card's code goes into the field.
    void pickCustomer(QLineEdit* target);
    bool letter() const;
    CustomerReports::CardChoice cardChoice() const;
    void fillCodeRange(const QString& from, const QString& to);

    QFormLayout* form_;
    QHash<QString, QLineEdit*> edits_;
    QHash<QString, QButtonGroup*> groups_;
};

class TfrmCariListeR : public CariRaporBase {
    Q_OBJECT
public:
    explicit TfrmCariListeR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
};

class TfrmCariDurumR : public CariRaporBase {
    Q_OBJECT
public:
    explicit TfrmCariDurumR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;

protected:
    // Long over many cards: the preview shows the first page while the rest are made.
    void preview() override;

private:
    CustomerReports::BalanceChoice balanceChoice() const;
};

class TfrmCariHareketR : public CariRaporBase {
    Q_OBJECT
public:
    explicit TfrmCariHareketR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
};

class TfrmCariEkstreR : public CariRaporBase {
    Q_OBJECT
public:
    explicit TfrmCariEkstreR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
};
