#pragma once
// Running the console programs and reading what they print.

#include <string>
#include <vector>

#include "NetLab.h"

struct ProgramRun {
  int status = -1;
  std::string output;
};

inline ProgramRun RunProgram(const std::string& commandLine) {
  ProgramRun run;
  run.status = netlab::Shell(commandLine, &run.output);
  return run;
}

// The lines of a text whose every line ends with CR LF. A line break
// without CR shows up as a line holding "\n".
inline std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back("unterminated: " + text.substr(start));
  return lines;
}

inline bool StartsWith(const std::string& s, const std::string& prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

inline bool EndsWith(const std::string& s, const std::string& suffix) {
  return s.size() >= suffix.size() &&
         s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}
