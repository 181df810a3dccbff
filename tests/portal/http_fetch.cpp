#include "http_fetch.h"

#include <chrono>

std::string Fetched::header(const char *name) const
{
    const auto it = headers.find(name);
    return it == headers.end() ? std::string() : it->second;
}

Fetched fetch(const std::string &host, int port, const std::string &target, const httplib::Headers &headers,
              int readTimeoutMs)
{
    Fetched result;
    httplib::Client client(host, port);
    client.set_connection_timeout(std::chrono::seconds(2));
    client.set_read_timeout(std::chrono::milliseconds(readTimeoutMs));
    const auto start = std::chrono::steady_clock::now();
    const httplib::Result answer = client.Get(
        target, headers,
        [&](const httplib::Response &response) {
            result.status = response.status;
            result.headers = response.headers;
            return true;
        },
        [&](const char *data, std::size_t length) {
            result.body.append(data, length);
            return true;
        });
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.error = answer.error();
    return result;
}

std::string patternBytes(std::size_t size)
{
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = patternByte(i);
    return bytes;
}
