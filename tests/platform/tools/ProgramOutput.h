#pragma once
// Running the console programs and reading what they print.

#include <string>
#include <vector>

#ifdef _WIN32
// Sockets first: windows.h must come after them for the tests that use both.
#include <winsock2.h>
// then:
#include <windows.h>
#else
#include "NetLab.h"
#endif

struct ProgramRun {
  int status = -1;
  std::string output;
};

#ifdef _WIN32
// Standard output and error on one pipe, read to the end; the exit code.
inline ProgramRun RunProgram(std::string commandLine) {
  ProgramRun run;
  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) return run;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = writeEnd;
  PROCESS_INFORMATION child{};
  BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                nullptr, &startup, &child);
  CloseHandle(writeEnd);
  char buffer[4096];
  DWORD n = 0;
  while (started && ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0)
    run.output.append(buffer, n);
  CloseHandle(readEnd);
  if (!started) return run;
  WaitForSingleObject(child.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(child.hProcess, &code);
  run.status = static_cast<int>(code);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return run;
}
#else
inline ProgramRun RunProgram(const std::string& commandLine) {
  ProgramRun run;
  run.status = netlab::Shell(commandLine, &run.output);
  return run;
}
#endif

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
