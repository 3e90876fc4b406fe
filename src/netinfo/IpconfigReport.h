#pragma once
// One adapter's settings, read out of the text that the Chinese-language
// "ipconfig /all" prints.

#include "text/Text.h"

struct IpconfigReport {
  bool found = false;  // the window at the adapter key held enough labelled lines
  Text ipv4Addresses;  // ";"-joined, the value met last first, "(首选)" removed
  Text macAddress;     // with ":" between the byte pairs
  Text subnetMasks;    // ";"-joined, the value met last first
  Text defaultGateway;
  Text dhcpServer;
  Text primaryDns;
  Text secondaryDns;  // the further DNS servers, run together
  Text dhcpEnabled;   // the report's own yes or no word
};

// Reads the settings of the adapter whose description is adapterKey out of
// the report text. Pure; every outcome is a record.
IpconfigReport parseIpconfigReport(const Text& reportText, const Text& adapterKey);

// Runs "ipconfig /all" through the console capture and reads the adapter's
// settings out of what it printed. Blocks until the command has finished;
// on the GUI thread, pending events are handled between reads.
IpconfigReport loadIpconfigReport(const Text& adapterKey);
