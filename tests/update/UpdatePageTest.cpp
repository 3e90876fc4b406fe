#include <gtest/gtest.h>

#include "update/UpdatePage.h"

namespace {

using namespace std::string_literals;

TEST(UpdatePage, AddressOfTheNextVersionsPage) {
  EXPECT_EQ(UpdatePageAddress("http://updates.example.test/korvello/"),
            "http://updates.example.test/korvello/2/update.html");
  EXPECT_EQ(UpdatePageAddress(""), "2/update.html");
}

TEST(UpdatePage, OfferedVersion) {
  const std::pair<Text, std::optional<Text>> cases[] = {
      {"$$1|", std::nullopt},
      {"$$1|notes", std::nullopt},
      {"$$2|", "2"},
      {"$$2", "2"},
      {"$$2$$|x", "2"},
      {"$$", std::nullopt},
      {"$$$$", std::nullopt},
      {"$$|3", ""},
      {"$$0.9|", "0.9"},
      {" $$2|", std::nullopt},
      {"\r\n$$2|", std::nullopt},
      {"<html>404</html>", std::nullopt},
      {"", std::nullopt},
      // The body is text only up to its first zero byte.
      {"$$2\0|9"s, "2"},
      {"$$\0 2|"s, std::nullopt},
      {"\0$$2|"s, std::nullopt},
  };
  for (const auto& [body, version] : cases) EXPECT_EQ(OfferedVersion(body), version) << body;
}

TEST(UpdatePage, Question) {
  EXPECT_EQ(UpdateQuestion("2"), "发现新版本 {2}，您是否现在更新？");
  EXPECT_EQ(UpdateQuestion(""), "发现新版本 {}，您是否现在更新？");
}

}  // namespace
