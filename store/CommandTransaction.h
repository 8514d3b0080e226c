#pragma once

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

private:
    Connection& connection_;
    bool done_ = false;
};
