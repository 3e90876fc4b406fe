// The real search window, offscreen, inside the scanner namespace of the
// test LAN, with the real probes: it proposes the scanner's /24 and lists
// exactly the devices that answer within 5 ms.

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "NetLab.h"
#include "OffscreenSearch.h"

namespace {

// name, address, MAC, remark, red
using Row = std::tuple<Text, Text, Text, Text, bool>;

TEST(LanSearchInNamespace, ListsExactlyTheQuickDevicesWithNamesAndMacs) {
  netlab::Lan lan;
  if (!lan.Ready()) GTEST_SKIP() << lan.Error();
  auto text = lan.RunInScanner([] { return ToText(SearchWithTheRealWindow()); });
  ASSERT_TRUE(text) << "the search did not run in the scanner namespace";
  SearchOutcome outcome = FromText(*text);

  EXPECT_EQ(outcome.start, "10.77.0.1");
  EXPECT_EQ(outcome.end, "10.77.0.254");
  ASSERT_TRUE(outcome.stopped) << *text;

  std::set<Row> expected;
  for (const netlab::Device& device : netlab::Devices()) {
    if (device.delayed) continue;  // answers after 20 ms
    // Without a reverse name there is no MAC address either.
    Text mac = device.hostName.empty() ? "" : netlab::DashedMac(device.mac);
    expected.insert({device.hostName, device.address, mac, "", false});
  }
  expected.insert({netlab::kScannerHostName, netlab::kScannerAddress,
                   netlab::DashedMac(netlab::kScannerMac), "本机", true});

  std::set<Row> found;
  for (size_t r = 0; r < outcome.rows.size(); ++r) {
    const std::vector<Text>& cells = outcome.rows[r];
    ASSERT_EQ(cells.size(), 5u);
    EXPECT_EQ(cells[0], std::to_string(r + 1));
    found.insert({cells[1], cells[2], cells[3], cells[4], outcome.red[r]});
  }
  EXPECT_EQ(found, expected);
  EXPECT_EQ(outcome.rows.size(), expected.size());

  EXPECT_TRUE(outcome.boxesEnabled);
  EXPECT_TRUE(outcome.searchEnabled);
  EXPECT_FALSE(outcome.stopEnabled);
  EXPECT_EQ(outcome.part1, "已停止");
  EXPECT_EQ(outcome.part2, "");
  EXPECT_EQ(outcome.label, "");
  EXPECT_EQ(outcome.barMaximum, 0);
  EXPECT_EQ(outcome.barPosition, 0);
}

}  // namespace
