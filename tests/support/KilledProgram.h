#pragma once

#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "support/Installation.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

// Another program on company ABC of `t`, with a connection of its own, runs `work` inside one
// command, commits it when `commit`, and is killed before it can end in order.
inline void runAndKill(TestInstallation& t, bool commit,
                       const std::function<void(CompanyData&)>& work)
{
    fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        StoreSession session(t.dir.filePath(QStringLiteral("klt2")));
        session.addPassword(masterPassword());
        useInstallation(session, t.install);
        CompanyData other(session, t.install, QStringLiteral("ABC"));
        CommandTransaction command(other.connection());
        work(other);
        if (commit) command.commit();
        raise(SIGKILL);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
}
