#include "app/Background.h"

#include <QEventLoop>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>

void runInBackground(const std::function<void()>& work)
{
    std::atomic<bool> done = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        done = true;
    });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done) loop.quit();
    });
    poll.start(10);
    if (!done) loop.exec();
    worker.join();
    if (failure) std::rethrow_exception(failure);
}
