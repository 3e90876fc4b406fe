#pragma once
// The text of "ipconfig /all" as the Chinese-language Windows prints it
// (GBK, CR LF), made from the adapter list and the host's settings.

#include <vector>

#include "platform/os/Adapters.h"

namespace os {

struct IpconfigHost {
  Text hostName;
  Text primaryDnsSuffix;
  bool ipRouting = false;
  std::vector<Text> searchList;  // DNS suffix search list
};

// One labelled line: three blanks, the label, a leader of ". " pairs that
// ends with a full stop, " : " and the value in byte column 39, CR LF.
Text IpconfigLine(const Text& label, const Text& value);

// A further value of the line above, indented to the value column.
Text IpconfigContinuation(const Text& value);

// "255.255.255.0" for 24.
Text SubnetMaskText(int prefixLength);

// The whole "/all" report.
Text IpconfigAllText(const IpconfigHost& host, const std::vector<Adapter>& adapters);

// The short report ipconfig prints without options.
Text IpconfigBriefText(const std::vector<Adapter>& adapters);

}  // namespace os
