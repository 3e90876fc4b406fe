// Run under Wine inside the scanner's namespace of the test LAN by
// wine-lan-search-test.sh: one whole search with the real window, its
// outcome printed as text for the script to compare.
#include <cstdio>

#include "OffscreenSearch.h"

int main() {
  std::string text = ToText(SearchWithTheRealWindow());
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
