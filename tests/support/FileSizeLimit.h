// Limits the size of the files this process writes while it lives: a write beyond the
// limit fails (EFBIG) as it would on a full disk, also for root.
#pragma once

#include <csignal>

#include <sys/resource.h>

using namespace vrnnec;

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        rlimit limited{};
        active_ = getrlimit(RLIMIT_FSIZE, &saved_) == 0;
        limited = saved_;
        limited.rlim_cur = bytes;
        active_ = active_ && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        if (active_)
            setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return active_; }

private:
    rlimit saved_{};
    void (*handler_)(int);
    bool active_ = false;
};
