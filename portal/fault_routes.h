#pragma once

#include <httplib.h>

#include <atomic>

// Deterministic faults for the client's tests, under /test/, and pattern files under
// /files/. Byte i of every body is (i * 31 + 7) & 255, except the first bytes where /test/bytes,
// /test/slow or /files/ are given head=TEXT (a file signature: head=FWS). Handlers that wait (stall, slow)
// give up as soon as stopping is set, so the server's lifetime always ends on time.
void addFaultRoutes(httplib::Server &server, const std::atomic<bool> &stopping);
