#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/IniFile.h"
#include "support/TemporaryDirectory.h"
#include "text/Text.h"

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = temp_.path();
    ASSERT_FALSE(dir_.empty());
    path_ = dir_.string() + "\\config.ini";
    ini_.SetFilePath(path_);
  }

  void Put(const std::string& content, const char* name = "config.ini") {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  std::string Get(const char* name = "config.ini") const {
    std::ifstream in(dir_ / name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  TemporaryDirectory temp_;
  fs::path dir_;
  Text path_;
  IniFile ini_;
};

TEST_F(IniFileTest, ReadTextCutsThenTrimsBlanks) {
  const Text a253(253, 'a');
  struct Case {
    std::string line;  // the value as it stands in the file
    Text expected;
  };
  const Case cases[] = {
      {"  \xA1\xA1host\xA1\xA1  ", "host"},
      {"\thost\t", "host"},  // the profile service trims tabs around a value
      {"\xA1\xA1\thost", "\thost"},
      {std::string(300, 'a'), Text(254, 'a')},
      {a253 + "中", a253},  // never half a character
      {std::string(250, 'a') + "  \xA1\xA1" + "bb", Text(250, 'a')},
      {"", ""},
  };
  for (const Case& c : cases) {
    Put("[list]\r\nhost=" + c.line + "\r\n");
    EXPECT_EQ(ini_.ReadText("list", "host"), c.expected) << c.line;
  }
  EXPECT_EQ(ini_.ReadText("list", "missing"), "");
  EXPECT_EQ(ini_.ReadText("list", "missing", " 默认 "), "默认");
  EXPECT_EQ(ini_.ReadText("nosection", "host", "d"), "d");
}

TEST_F(IniFileTest, ReadIntDefaults) {
  Put("[config]\r\nspeed=750\r\n");
  EXPECT_EQ(ini_.ReadInt("config", "speed", 500), 750);
  EXPECT_EQ(ini_.ReadInt("config", "missing", 500), 500);
  EXPECT_EQ(ini_.ReadInt("config", "missing"), 0);
  fs::remove(dir_ / "config.ini");
  EXPECT_EQ(ini_.ReadInt("config", "speed", 500), 500);
}

TEST_F(IniFileTest, NameListsHoldEveryNameInFileOrder) {
  EXPECT_EQ(ini_.KeyNames("list"), "");
  EXPECT_EQ(ini_.SectionNames(), "");
  Text expected;
  for (int i = 1; i <= 300; ++i) {
    Text alias = "主机" + std::to_string(i);
    EXPECT_TRUE(ini_.WriteValue("list", alias,
                                "10.0." + std::to_string(i / 256) + "." + std::to_string(i % 256)));
    expected += (i > 1 ? "\r\n" : "") + alias;
  }
  ini_.WriteValue("config", "speed", "500");
  EXPECT_EQ(ini_.KeyNames("list"), expected);
  EXPECT_EQ(ini_.SectionNames(), "list\r\nconfig");
  EXPECT_EQ(ini_.KeyNames("config"), "speed");
  EXPECT_EQ(ini_.KeyNames("missing"), "");
  EXPECT_EQ(ini_.ReadText("list", "主机300"), "10.0.1.44");
}

TEST_F(IniFileTest, GivenPathIsUsedForThatCallOnly) {
  const Text other = dir_.string() + "\\other.ini";
  EXPECT_TRUE(ini_.WriteValue("list", "nas", "10.0.0.20", other));
  EXPECT_FALSE(fs::exists(dir_ / "config.ini"));
  EXPECT_EQ(ini_.ReadText("list", "nas", "", other), "10.0.0.20");
  EXPECT_EQ(ini_.ReadText("list", "nas"), "");
  EXPECT_EQ(ini_.KeyNames("list", other), "nas");
  EXPECT_EQ(ini_.SectionNames(other), "list");
  EXPECT_EQ(ini_.ReadInt("list", "nas", 7, other), 10);
  EXPECT_TRUE(ini_.DeleteKey("list", "nas", other));
  EXPECT_TRUE(ini_.DeleteSection("list", other));
  EXPECT_EQ(Get("other.ini"), "");
  EXPECT_EQ(ini_.FilePath(), path_);
}

TEST_F(IniFileTest, DeletingAnAbsentKeyChangesNothing) {
  const std::string original = "[list]\r\ngateway=192.168.1.1\r\n";
  Put(original);
  EXPECT_TRUE(ini_.DeleteKey("list", "nas"));
  EXPECT_EQ(Get(), original);
  EXPECT_TRUE(ini_.DeleteKey("list", "gateway"));
  EXPECT_EQ(Get(), "[list]\r\n");
}

TEST_F(IniFileTest, BindingCloningAndRelease) {
  IniFile unbound;
  EXPECT_EQ(unbound.FilePath(), "");
  unbound.SetFilePath(dir_.string() + "\\never.ini");
  EXPECT_FALSE(fs::exists(dir_ / "never.ini"));

  std::unique_ptr<IniFile> copy = ini_.Clone();
  EXPECT_EQ(copy->FilePath(), path_);
  copy->SetFilePath("elsewhere");
  EXPECT_EQ(ini_.FilePath(), path_);
  ini_.Release();
  EXPECT_EQ(ini_.FilePath(), "");
  EXPECT_EQ(copy->FilePath(), "elsewhere");
}

}  // namespace
