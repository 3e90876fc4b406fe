#include <gtest/gtest.h>

#include "grid/ColumnSpec.h"

void PrintTo(const GridColumn& c, std::ostream* os) {
  *os << c.title << "=" << c.width;
}

namespace {

TEST(ColumnSpec, HostTableAndLanSearchSpecs) {
  EXPECT_EQ(ParseColumnSpec("序号=50;别名=100;主机名/域名=130;IP=120;结果=200;是否IP地址=0;"
                            "测试(次)=65;最小(MS)=65;最大(MS)=65"),
            (std::vector<GridColumn>{{"序号", 50},
                                     {"别名", 100},
                                     {"主机名/域名", 130},
                                     {"IP", 120},
                                     {"结果", 200},
                                     {"是否IP地址", 0},
                                     {"测试(次)", 65},
                                     {"最小(MS)", 65},
                                     {"最大(MS)", 65}}));
  EXPECT_EQ(ParseColumnSpec("序号=55;主机名=130;IP地址=140;MAC地址=140;备注=100"),
            (std::vector<GridColumn>{
                {"序号", 55}, {"主机名", 130}, {"IP地址", 140}, {"MAC地址", 140}, {"备注", 100}}));
}

TEST(ColumnSpec, PartRules) {
  const std::pair<Text, std::vector<GridColumn>> cases[] = {
      // Title before the first "=", width after the last.
      {"a=b=30", {{"a", 30}}},
      {"=40", {{"", 40}}},
      // Parts without "=" (empty ones too) yield no column.
      {"a=1;title;b=2", {{"a", 1}, {"b", 2}}},
      {";;a=1;;b=2;", {{"a", 1}, {"b", 2}}},
      {"", {}},
      // A width that is no number gives 0; others are truncated toward zero.
      {"a=wide", {{"a", 0}}},
      {"a=", {{"a", 0}}},
      {"a=12.9;b=-3.7", {{"a", 12}, {"b", -3}}},
      {"a=1e300", {{"a", 2147483647}}},
  };
  for (const auto& [columnSpec, columns] : cases)
    EXPECT_EQ(ParseColumnSpec(columnSpec), columns) << columnSpec;
}

}  // namespace
