#include "request_log.h"

RequestLog::~RequestLog()
{
    if (file_)
        std::fclose(file_);
}

bool RequestLog::open(const std::string &path)
{
    // Append mode: a reader may truncate the file between requests and the next line
    // still lands at its start.
    file_ = std::fopen(path.c_str(), "a");
    return file_ != nullptr;
}

void RequestLog::append(const std::string &target)
{
    if (!file_)
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    std::fputs(target.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}
