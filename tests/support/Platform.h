#pragma once
// What differs between the systems the same tests run on. SetEnvironment
// with the empty value removes the variable.

#include <stdlib.h>

#include <string>

#ifdef _WIN32
inline void SetEnvironment(const std::string& name, const std::string& value) {
  _putenv_s(name.c_str(), value.c_str());
}
inline constexpr bool kOnWindows = true;
inline constexpr const char* kExeSuffix = ".exe";
#else
inline void SetEnvironment(const std::string& name, const std::string& value) {
  if (value.empty())
    unsetenv(name.c_str());
  else
    setenv(name.c_str(), value.c_str(), 1);
}
inline constexpr bool kOnWindows = false;
inline constexpr const char* kExeSuffix = "";
#endif
