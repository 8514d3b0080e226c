#include "store/CommandTransaction.h"

#include "store/Connection.h"

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
