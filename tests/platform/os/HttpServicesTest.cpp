#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/os/Http.h"
#include "support/LoopbackHttpServer.h"
#include "support/Platform.h"

namespace {

TEST(HttpGet, SendsOneDirectUncachedHttp10Get) {
  const std::string body("$$2|notes\0after zero", 20);
  LoopbackHttpServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" + body);
  // A proxy named by the environment must not be used.
  std::string proxy = "http://127.0.0.1:" + std::to_string(ClosedLoopbackPort());
  SetEnvironment("http_proxy", proxy);
  SetEnvironment("HTTP_PROXY", proxy);
  Text fetched = os::HttpGet(server.Url("/2/update.html"));
  SetEnvironment("http_proxy", "");
  SetEnvironment("HTTP_PROXY", "");
  EXPECT_EQ(fetched, body);

  ASSERT_EQ(server.Requests().size(), 1u);
  const std::string request = server.Requests().front();
  EXPECT_EQ(request.rfind("GET /2/update.html HTTP/1.0\r\n", 0), 0u) << request;
  for (const char* header :
       {"\r\nAccept: */*\r\n",
        "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n",
        "\r\nPragma: no-cache\r\n", "\r\nCache-Control: no-cache\r\n"}) {
    EXPECT_NE(request.find(header), std::string::npos) << header << "\n" << request;
  }
}

TEST(HttpGet, ErrorPageBodyIsKept) {
  LoopbackHttpServer server("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot here!");
  EXPECT_EQ(os::HttpGet(server.Url("/2/update.html")), "not here!");
}

TEST(HttpGet, TransportFailuresGiveTheEmptyText) {
  EXPECT_EQ(
      os::HttpGet("http://127.0.0.1:" + std::to_string(ClosedLoopbackPort()) + "/2/update.html"),
      "");
  // An address without a scheme (a missing update.ini leaves "2/update.html")
  // is not guessed at: a server that would answer is never asked.
  LoopbackHttpServer unasked("HTTP/1.0 200 OK\r\n\r\n$$2|");
  EXPECT_EQ(os::HttpGet(unasked.Url("/2/update.html").substr(7)), "");
  EXPECT_TRUE(unasked.Requests().empty());
  EXPECT_EQ(os::HttpGet("ftp://127.0.0.1/2/update.html"), "");
  EXPECT_EQ(os::HttpGet(""), "");
  LoopbackHttpServer cutShort("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\n$$2|only part");
  EXPECT_EQ(os::HttpGet(cutShort.Url("/")), "");
}

}  // namespace
