#include "store/CommandTransaction.h"

#include "store/Connection.h"

#include <QRandomGenerator>
#include <QThread>
#include <algorithm>

namespace {

constexpr int kAttempts = 60;

} // namespace

CommandTransaction::CommandTransaction(Connection& connection)
    : connection_(connection)
{
    connection_.begin();
}

CommandTransaction::~CommandTransaction()
{
    if (!done_) connection_.rollback();
}

void CommandTransaction::commit()
{
    done_ = true;
    connection_.commit();
}

bool CommandTransaction::mayRetry(Connection& connection, int attempt)
{
    if (connection.inTransaction() || attempt >= kAttempts) return false;
    // Up to a quarter second, growing with each attempt: commands that keep colliding spread
    // out until each gets through.
    const int most = std::min(250, 2 << std::min(attempt, 7));
    QThread::msleep(QRandomGenerator::global()->bounded(1, most + 1));
    return true;
}
