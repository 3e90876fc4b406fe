#pragma once
// One HTTP GET.

#include "text/Text.h"

namespace os {

// Fetches the address (http:// or https://, TLS for the latter) with one
// HTTP/1.0 GET, directly (never through a proxy) and from the server itself
// (no cached copy), and returns the whole body of the response, whatever its
// status: an error page's body is returned too. The empty text when no
// response was received in full: an address that is not http(s), no
// connection, a transfer that broke off. Redirects are followed. Gives up
// when no connection is made within 30 seconds or when data stops coming for
// 60 seconds; otherwise no time limit. Safe to call from any thread.
Text HttpGet(const Text& url);

}  // namespace os
