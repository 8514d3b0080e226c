#pragma once

#include "store/AppError.h"

#include <type_traits>
#include <utility>

class Connection;

// A user command's writes: commits on commit(), rolls back when it goes out of scope unused.
// Commands nest: an inner one joins the outer, and only the outermost commit writes to disk.
class CommandTransaction {
public:
    explicit CommandTransaction(Connection& connection);
    ~CommandTransaction();
    CommandTransaction(const CommandTransaction&) = delete;
    CommandTransaction& operator=(const CommandTransaction&) = delete;
    void commit();

    // Runs `work` as one command and returns what it returns. On a server, a command that
    // collided with another workstation's is rolled back whole and run again, a few times,
    // before the collision reaches the user; nested in a caller's command, the collision goes
    // to the caller, whose whole command is what runs again. `work` must therefore start from
    // what it is given, not from what an earlier attempt left in memory.
    template <typename Work>
    static auto run(Connection& connection, Work&& work) -> decltype(work())
    {
        for (int attempt = 1;; ++attempt) {
            try {
                CommandTransaction transaction(connection);
                if constexpr (std::is_void_v<decltype(work())>) {
                    work();
                    transaction.commit();
                    return;
                } else {
                    auto result = work();
                    transaction.commit();
                    return result;
                }
            } catch (const ConcurrentChangeError&) {
                if (!mayRetry(connection, attempt)) throw;
            }
        }
    }

private:
    // Whether a collided command may run again (outermost, attempts left); waits a moment
    // first, longer after each attempt, so that the colliding commands fall apart.
    static bool mayRetry(Connection& connection, int attempt);

    Connection& connection_;
    bool done_ = false;
};
