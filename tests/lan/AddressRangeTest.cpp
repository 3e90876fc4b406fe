#include <gtest/gtest.h>

#include "lan/AddressRange.h"

namespace {

TEST(AddressRange, PrefixLastOctetAndPadding) {
  EXPECT_EQ(NetworkPrefix("192.168.1.23"), "192.168.1.");
  EXPECT_EQ(NetworkPrefix("254"), "");
  EXPECT_EQ(LastOctet("192.168.1.23"), 23);
  EXPECT_EQ(LastOctet("254"), 254);
  EXPECT_EQ(LastOctet("10.0.0.007"), 7);
  EXPECT_EQ(LastOctet("10.0.0. 12x"), 12);
  EXPECT_EQ(LastOctet("10.0.0.x"), 0);
  EXPECT_EQ(LastOctet(""), 0);
  EXPECT_EQ(PadLastOctet("192.168.1.1"), "192.168.1.001");
  EXPECT_EQ(PadLastOctet("192.168.1.254"), "192.168.1.254");
  EXPECT_EQ(PadLastOctet("10.0.0.0042"), "10.0.0.042");
  EXPECT_EQ(PadLastOctet("10.0.0.x"), "10.0.0.000");
}

TEST(AddressRange, ProposesTheLocalSlash24) {
  ProposedRange range = ProposeRange("172.16.5.40");
  EXPECT_EQ(range.start, "172.16.5.001");
  EXPECT_EQ(range.end, "172.16.5.254");
  range = ProposeRange("");
  EXPECT_EQ(range.start, "001");
  EXPECT_EQ(range.end, "254");
}

TEST(AddressRange, NextAddressCarries) {
  const std::pair<Text, Text> cases[] = {
      {"192.168.1.7", "192.168.1.8"},
      {"192.168.1.255", "192.168.2.0"},
      {"10.0.255.255", "10.1.0.0"},
      {"255.255.255.255", "256.0.0.0"},
      // Every octet is tested in turn, whether or not a carry came into it.
      {"1.256.300.5", "2.0.0.6"},
      {"192.168.001.7.99", "192.168.1.8"},
      // Too few parts to step: given back unchanged.
      {"192.168.1", "192.168.1"},
      {"", ""},
  };
  for (const auto& [address, next] : cases) EXPECT_EQ(NextAddress(address), next) << address;
}

struct RangeCase {
  Text start, end;
  size_t count;
  Text first, last;
  bool accepted;
};

TEST(AddressRange, GeneratesTheListUpToTheEndsLastOctet) {
  const RangeCase cases[] = {
      {"192.168.1.1", "192.168.1.254", 254, "192.168.1.1", "192.168.1.254", true},
      {"192.168.1.0", "192.168.1.255", 256, "192.168.1.0", "192.168.1.255", true},
      {"192.168.1.10", "192.168.1.12", 3, "192.168.1.10", "192.168.1.12", true},
      {"192.168.1.10", "192.168.1.10", 2, "192.168.1.10", "192.168.1.11", false},
      {"192.168.1.10", "192.168.1.11", 2, "192.168.1.10", "192.168.1.11", false},
      {"192.168.1.200", "192.168.2.5", 2, "192.168.1.200", "192.168.1.201", false},
      // Only the end's last octet counts.
      {"192.168.1.10", "10.0.0.20", 11, "192.168.1.10", "192.168.1.20", true},
      {"192.168.1.255", "192.168.1.3", 5, "192.168.1.255", "192.168.2.3", true},
      {"192.168.1.255", "192.168.1.255", 257, "192.168.1.255", "192.168.2.255", true},
      {"192.168.1.5", "192.168.1.0", 2, "192.168.1.5", "192.168.1.6", false},
      {"192.168.1.5", "", 2, "192.168.1.5", "192.168.1.6", false},
      {"255.255.255.255", "0.0.0.1", 3, "255.255.255.255", "256.0.0.1", true},
      // A start that cannot be stepped (a blank start box) gives nothing to search.
      {"", "192.168.1.254", 1, "", "", false},
      {"192.168.1", "192.168.1.254", 1, "192.168.1", "192.168.1", false},
      // An end no address box gives: the generation still ends.
      {"192.168.1.1", "192.168.1.999", 257, "192.168.1.1", "192.168.2.1", true},
  };
  for (const auto& c : cases) {
    AddressList list = GenerateAddressList(c.start, c.end);
    ASSERT_EQ(list.addresses.size(), c.count) << c.start << " - " << c.end;
    EXPECT_EQ(list.addresses.front(), c.first) << c.start << " - " << c.end;
    EXPECT_EQ(list.addresses.back(), c.last) << c.start << " - " << c.end;
    EXPECT_EQ(list.accepted, c.accepted) << c.start << " - " << c.end;
  }
}

TEST(AddressRange, EntriesAreSuccessiveAddresses) {
  AddressList list = GenerateAddressList("192.168.1.255", "192.168.1.3");
  const std::vector<Text> expected = {"192.168.1.255", "192.168.2.0", "192.168.2.1", "192.168.2.2",
                                      "192.168.2.3"};
  EXPECT_EQ(list.addresses, expected);
}

}  // namespace
