#include "request_host.h"

#include <algorithm>
#include <cctype>

std::string requestHost(const httplib::Request &request)
{
    const std::string host = request.get_header_value("Host");
    // The host goes into pages and Location headers: allow only what names a host.
    const bool plain = !host.empty() && host.size() < 256 &&
                       std::all_of(host.begin(), host.end(), [](unsigned char c) {
                           return std::isalnum(c) || c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
                       });
    return plain ? host : "127.0.0.1:" + std::to_string(request.local_port);
}
