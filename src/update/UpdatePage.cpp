#include "update/UpdatePage.h"

#include <vector>

Text UpdatePageAddress(const Text& base) {
  return base + IntegerToText(kProgramVersion + 1) + "/update.html";
}

std::optional<Text> OfferedVersion(const Text& body) {
  // The body is read as text, which ends at a zero byte.
  Text text = body.substr(0, body.find('\0'));
  if (left(text, 2) != "$$") return std::nullopt;
  text = removeAll(text, "$$");
  std::vector<Text> fields = TextSplit(text, "|");
  if (fields.empty()) return std::nullopt;
  if (fields[0] == IntegerToText(kProgramVersion)) return std::nullopt;
  return fields[0];
}

Text UpdateQuestion(const Text& version) {
  return "发现新版本 {" + version + "}，您是否现在更新？";
}
