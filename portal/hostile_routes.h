#pragma once

#include <httplib.h>

#include <atomic>

// Pages a malicious portal could serve, under /test/hostile/, for the client's tests:
//   link?href=TEXT             one big link whose href attribute is TEXT exactly
//   long-link?bytes=N          a game link whose name is N bytes long, then an ordinary one
//   frames?count=N             N frames, then an ordinary game link
//   frame                      a tiny page, the frames' content
//   popups?count=N&to=TEXT     window.open(TEXT) N times at load and again at a click of #again
//   dialogs?ms=T               alert, confirm and prompt in a loop for T ms; the count goes to the title
//   endless                    a page with a game link whose load never finishes
//   loop                       a redirect to itself
//   N.swf                      a game file of N bytes
// Handlers that wait give up as soon as stopping is set.
void addHostileRoutes(httplib::Server &server, const std::atomic<bool> &stopping);
