#pragma once

#include <cstdio>
#include <mutex>
#include <string>

// One line per request, the request target exactly as received. Each line is flushed
// before the request is answered, so whoever got an answer can already read its line.
class RequestLog {
public:
    RequestLog() = default;
    ~RequestLog();
    RequestLog(const RequestLog &) = delete;
    RequestLog &operator=(const RequestLog &) = delete;

    // Appends to path; false when it cannot be opened.
    bool open(const std::string &path);
    void append(const std::string &target);

private:
    std::mutex mutex_;
    std::FILE *file_ = nullptr;
};
