#include "platform/os/Http.h"

#include <curl/curl.h>

#include <mutex>

namespace os {
namespace {

// More than an update page can sensibly hold; a larger body counts as a
// failure instead of filling the memory.
constexpr size_t kMaxBody = 16 * 1024 * 1024;

size_t AppendBody(char* data, size_t size, size_t count, void* target) {
  Text& body = *static_cast<Text*>(target);
  size_t bytes = size * count;
  if (body.size() + bytes > kMaxBody) return 0;  // ends the transfer with an error
  body.append(data, bytes);
  return bytes;
}

bool StartsWithNoCase(const Text& t, const char* prefix) {
  for (size_t i = 0; prefix[i] != '\0'; ++i) {
    if (i >= t.size()) return false;
    char c = t[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

}  // namespace

Text HttpGet(const Text& url) {
  // Without a scheme, libcurl would guess one and take any word for a host.
  if (!StartsWithNoCase(url, "http://") && !StartsWithNoCase(url, "https://")) return Text();
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  CURL* curl = curl_easy_init();
  if (!curl) return Text();
  Text body;
  curl_slist* headers = nullptr;
  headers = curl_slist_append(headers, "Accept: */*");
  headers = curl_slist_append(headers, "Pragma: no-cache");
  headers = curl_slist_append(headers, "Cache-Control: no-cache");

  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 10L);
  curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_PROXY, "");     // direct, whatever the environment says
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // no signals: called on worker threads
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, 30L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, 60L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);

  CURLcode result = curl_easy_perform(curl);
  curl_easy_cleanup(curl);
  curl_slist_free_all(headers);
  return result == CURLE_OK ? body : Text();
}

}  // namespace os
