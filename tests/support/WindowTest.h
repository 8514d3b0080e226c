#pragma once

#include "app/Shell.h"
#include "store/CompanyData.h"
#include "support/Installation.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// Runs `act` on the next modal window of type W once it is open (a pick list or an entry
// window opened by a command), again every 50 ms while that window stays open: a key sent
// before the window is active can be lost on a busy machine. `act` must close the window.
template <typename W> void whenModalOpen(std::function<void(W*)> act)
{
    auto* timer = new QTimer(qApp); // gone with the application at the latest
    timer->setInterval(50);
    auto target = std::make_shared<QPointer<W>>();
    auto found = std::make_shared<bool>(false);
    QObject::connect(timer, &QTimer::timeout, [timer, act, target, found] {
        if (*found && (!*target || !(*target)->isVisible())) { // done: the window closed
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (!*found) {
            *target = qobject_cast<W*>(QApplication::activeModalWidget());
            *found = !target->isNull() && (*target)->isVisible();
        }
        if (*found) act(*target);
    });
    timer->start();
}

// Windows over company ABC ("Deneme Ltd.", kuruş on, prices with four decimals), with the
// message window answered from a script.
class WindowTest : public ::testing::Test {
protected:
    TestInstallation t;
    std::unique_ptr<CompanyData> company;
    ScriptedMessages messages;
    std::unique_ptr<Shell> shell;

    void SetUp() override
    {
        NewCompany abc{"ABC", "Deneme Ltd."};
        abc.settings.fiyat = 1; // prices with four decimals
        t.createCompany(abc);
        company = std::make_unique<CompanyData>(t.session, t.install, "ABC");
        shell = std::make_unique<Shell>(t.install, messages);
        shell->company = company.get();
        shell->companyIsOpen = true;
        shell->activeCompanyCode = "ABC";
        shell->activeCompanyTitle = "Deneme Ltd.";
    }

    template <typename W> static void whenOpen(std::function<void(W*)> act)
    {
        whenModalOpen<W>(std::move(act));
    }

    // Prepares and shows a window as run() would, without waiting in it.
    template <typename Window> static void showWindow(Window& window)
    {
        window.prepare();
        window.show();
        QApplication::processEvents();
    }

    // A key to the window's focused field, or to the window.
    static void key(QWidget* window, int k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus && focus->window() == window ? focus : window, Qt::Key(k), m);
    }
};
