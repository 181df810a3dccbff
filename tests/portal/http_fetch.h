#pragma once

#include <httplib.h>

#include <string>

// One GET against the test portal that keeps whatever arrived, also when the transfer
// fails, and how long it took.
struct Fetched {
    httplib::Error error = httplib::Error::Unknown;
    int status = 0;
    httplib::Headers headers;
    std::string body;
    double seconds = 0;

    bool hasHeader(const char *name) const { return headers.find(name) != headers.end(); }
    std::string header(const char *name) const;
};

Fetched fetch(const std::string &host, int port, const std::string &target, const httplib::Headers &headers = {},
              int readTimeoutMs = 5000);
inline Fetched fetch(int port, const std::string &target, const httplib::Headers &headers = {},
                     int readTimeoutMs = 5000)
{
    return fetch("127.0.0.1", port, target, headers, readTimeoutMs);
}

// Byte i of every test body the portal generates.
inline char patternByte(std::size_t i) { return static_cast<char>((i * 31 + 7) & 255); }
std::string patternBytes(std::size_t size);
