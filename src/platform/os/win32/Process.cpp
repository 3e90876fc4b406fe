// Child processes over the Win32 pipe and process services. The capture's
// child gets the pipe's write end as standard output and error, inherits no
// other handle and shows no window; a bare program name is found by the
// system's own search (the program's directory first).

#include "platform/os/Process.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace os {
namespace {

HANDLE AsHandle(Handle handle) {
  return reinterpret_cast<HANDLE>(handle);
}

Handle FromHandle(HANDLE handle) {
  return reinterpret_cast<Handle>(handle);
}

// A handle is marked inheritable only while the child it is meant for is
// being created, under this lock: a child started at the same moment by
// another thread can then never receive it, even where the system ignores
// the list of handles to inherit.
std::mutex inheritLock;

bool IsInheritable(HANDLE handle) {
  DWORD flags = 0;
  return handle && handle != INVALID_HANDLE_VALUE && GetHandleInformation(handle, &flags) &&
         (flags & HANDLE_FLAG_INHERIT);
}

// CreateProcessA with the start-up record given, inheriting exactly
// `inherited` (those handles are made inheritable for the call).
bool Create(const Text& commandLine, STARTUPINFOEXA& startup, std::vector<HANDLE> inherited,
            DWORD flags, PROCESS_INFORMATION& info) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  std::lock_guard<std::mutex> lock(inheritLock);
  std::vector<HANDLE> marked;
  for (HANDLE h : inherited) {
    if (IsInheritable(h)) continue;
    if (SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT)) marked.push_back(h);
  }
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::vector<char> attributes(size);
  auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
  bool haveList =
      !inherited.empty() && InitializeProcThreadAttributeList(list, 1, 0, &size) &&
      UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited.data(),
                                inherited.size() * sizeof(HANDLE), nullptr, nullptr);
  if (haveList) {
    startup.lpAttributeList = list;
    flags |= EXTENDED_STARTUPINFO_PRESENT;
    startup.StartupInfo.cb = sizeof startup;
  } else {
    startup.lpAttributeList = nullptr;
    startup.StartupInfo.cb = sizeof startup.StartupInfo;
  }
  BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, !inherited.empty(), flags,
                                nullptr, nullptr, &startup.StartupInfo, &info);
  if (haveList) DeleteProcThreadAttributeList(list);
  for (HANDLE h : marked) SetHandleInformation(h, HANDLE_FLAG_INHERIT, 0);
  startup.lpAttributeList = nullptr;
  return started != FALSE;
}

HANDLE OpenNullDevice() {
  return CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                     OPEN_EXISTING, 0, nullptr);
}

}  // namespace

bool CreatePipe(Handle& readEnd, Handle& writeEnd) {
  readEnd = writeEnd = kNoHandle;
  // Neither end is inheritable: StartProcess lends the write end to its
  // child alone.
  SECURITY_ATTRIBUTES security{};
  security.nLength = sizeof security;
  security.lpSecurityDescriptor = nullptr;
  security.bInheritHandle = FALSE;
  HANDLE r = nullptr;
  HANDLE w = nullptr;
  if (!::CreatePipe(&r, &w, &security, 0)) return false;
  readEnd = FromHandle(r);
  writeEnd = FromHandle(w);
  return true;
}

bool StartProcess(const Text& commandLine, Handle output, ChildProcess& child) {
  child = ChildProcess();
  // The program's own start-up information, changed in four fields: use the
  // show-window value and the standard handles; hidden; output and errors on
  // the pipe. Standard input stays the program's own.
  STARTUPINFOEXA startup{};
  GetStartupInfoA(&startup.StartupInfo);
  HANDLE nullDevice = nullptr;
  HANDLE target = AsHandle(output);
  if (output == kNoHandle) target = nullDevice = OpenNullDevice();
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.StartupInfo.wShowWindow = SW_HIDE;
  startup.StartupInfo.hStdOutput = target;
  startup.StartupInfo.hStdError = target;
  std::vector<HANDLE> inherited;
  if (target && target != INVALID_HANDLE_VALUE) inherited.push_back(target);
  HANDLE input = startup.StartupInfo.hStdInput;
  if (IsInheritable(input) && input != target) inherited.push_back(input);

  // The child starts held, joins a job of its own (so that EndProcess reaches
  // whatever it starts too), then runs.
  PROCESS_INFORMATION info{};
  bool started = Create(commandLine, startup, inherited, CREATE_SUSPENDED, info);
  if (nullDevice && nullDevice != INVALID_HANDLE_VALUE) ::CloseHandle(nullDevice);
  if (!started) return false;
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (job && !AssignProcessToJobObject(job, info.hProcess)) {
    ::CloseHandle(job);
    job = nullptr;
  }
  ResumeThread(info.hThread);
  ::CloseHandle(info.hThread);
  child.id = static_cast<int>(info.dwProcessId);
  child.process = FromHandle(info.hProcess);
  if (job) child.group = FromHandle(job);
  return true;
}

bool ReadPipe(Handle readEnd, char* buffer, int maxBytes, int& bytesRead) {
  bytesRead = 0;
  if (readEnd == kNoHandle || maxBytes <= 0) return false;
  DWORD n = 0;
  if (!ReadFile(AsHandle(readEnd), buffer, static_cast<DWORD>(maxBytes), &n, nullptr)) return false;
  bytesRead = static_cast<int>(n);
  return true;
}

bool ReadPipe(Handle readEnd, char* buffer, int maxBytes, int& bytesRead, Deadline deadline,
              bool& timedOut) {
  bytesRead = 0;
  timedOut = false;
  if (readEnd == kNoHandle || maxBytes <= 0) return false;
  // An anonymous pipe has no waitable read with a time-out: look until data
  // (or the end of every writer) is there, then read it.
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(AsHandle(readEnd), nullptr, 0, nullptr, &available, nullptr)) return false;
    if (available > 0) return ReadPipe(readEnd, buffer, maxBytes, bytesRead);
    if (std::chrono::steady_clock::now() >= deadline) {
      timedOut = true;
      return false;
    }
    Sleep(1);
  }
}

void EndProcess(const ChildProcess& child) {
  if (child.group != kNoHandle) TerminateJobObject(AsHandle(child.group), 1);
  if (child.process != kNoHandle) TerminateProcess(AsHandle(child.process), 1);
}

// Closing the job's handle leaves its processes running.
void CloseProcess(ChildProcess& child) {
  if (child.process != kNoHandle) ::CloseHandle(AsHandle(child.process));
  if (child.group != kNoHandle) ::CloseHandle(AsHandle(child.group));
  child = ChildProcess();
}

void CloseHandle(Handle& handle) {
  if (handle == kNoHandle) return;
  ::CloseHandle(AsHandle(handle));
  handle = kNoHandle;
}

bool StartDetached(const Text& commandLine) {
  // A normal window, no handle of this program.
  STARTUPINFOEXA startup{};
  startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
  startup.StartupInfo.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!Create(commandLine, startup, {}, 0, info)) return false;
  // Until its window takes input, at most a second; a console program has
  // none and returns at once.
  WaitForInputIdle(info.hProcess, 1000);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

}  // namespace os
