#pragma once

#include <httplib.h>

#include <string>

// "name:port" of this server as the client addressed it (its Host header), so that
// generated addresses work for whatever name the client used. A missing or odd Host
// header gives 127.0.0.1 and the port the request came in on.
std::string requestHost(const httplib::Request &request);
