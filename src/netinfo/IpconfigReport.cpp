#include "netinfo/IpconfigReport.h"

#include <vector>

#include "monitor/ConsoleCapture.h"

namespace {

// How much of the report, from the adapter key on, is read.
const int kWindowBytes = 1300;
// Fewer segments than this means the window held no adapter block worth reading.
const size_t kLeastSegments = 11;

// A segment's value: its first line with every blank removed; a segment
// without a line break has none.
Text SegmentValue(const Text& segment) {
  return removeBlanks(left(segment, find(segment, "\r\n") - 1));
}

// Each address or mask goes in front of those met before.
Text PutInFront(const Text& value, const Text& former) {
  return value + ";" + former;
}

Text DropTrailingSeparator(const Text& list) {
  if (find(list, ";") == -1) return list;
  return left(list, length(list) - 1);
}

}  // namespace

IpconfigReport parseIpconfigReport(const Text& reportText, const Text& adapterKey) {
  IpconfigReport report;

  // The window begins at the first occurrence of the key, wherever it is, and
  // is counted in bytes; it may run on into the next adapter's block.
  int keyPosition = find(reportText, adapterKey);
  Text window = mid(reportText, keyPosition, kWindowBytes);

  // Every labelled line reads "label . . . : value"; so each segment after the
  // first starts with a value and ends with the next line's label.
  std::vector<Text> segments = TextSplit(window, ". :");
  if (segments.size() < kLeastSegments) return report;

  for (size_t i = 0; i < segments.size(); ++i) {
    const Text& segment = segments[i];
    // A label in the last segment (the window ends inside its line) has no
    // value after it: its field becomes empty.
    const bool hasNext = i + 1 < segments.size();
    const Text next = hasNext ? segments[i + 1] : Text();
    const Text value = SegmentValue(next);

    if (contains(segment, "物理地址")) {
      report.macAddress = replaceAll(value, "-", ":");
    }
    if (contains(segment, "DHCP 已启用")) {
      report.dhcpEnabled = value;
    }
    if (contains(segment, "IPv4 地址")) {
      report.ipv4Addresses =
          hasNext ? removeAll(PutInFront(value, report.ipv4Addresses), "(首选)") : Text();
    }
    if (contains(segment, "子网掩码")) {
      report.subnetMasks = hasNext ? PutInFront(value, report.subnetMasks) : Text();
    }
    if (contains(segment, "默认网关")) {
      report.defaultGateway = value;
    }
    if (contains(segment, "DHCP 服务器")) {
      report.dhcpServer = value;
    }
    if (contains(segment, " DNS 服务器")) {
      report.primaryDns = value;
      // The rest of the DNS segment holds the further servers, one a line,
      // and ends with the NetBIOS line's label.
      Text rest = removeAll(next, report.primaryDns);
      rest = removeAll(rest, "TCPIP 上的 NetBIOS  . . . . . . ");
      rest = removeAll(rest, "\r\n");
      report.secondaryDns = removeBlanks(rest);
    }
  }

  report.ipv4Addresses = DropTrailingSeparator(report.ipv4Addresses);
  report.subnetMasks = DropTrailingSeparator(report.subnetMasks);
  report.found = true;
  return report;
}

IpconfigReport loadIpconfigReport(const Text& adapterKey) {
  return parseIpconfigReport(runAndCapture("ipconfig /all"), adapterKey);
}
