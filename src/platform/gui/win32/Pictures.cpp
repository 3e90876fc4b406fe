#include "platform/gui/win32/Pictures.h"

namespace gui::win32 {

// Resource names are plain words; "#12" would name a number instead.
bool HasPicture(const Text& name) {
  if (name.empty() || name.find_first_of("#/\\") != Text::npos) return false;
  return FindResourceA(GetModuleHandleA(nullptr), name.c_str(), RT_GROUP_ICON) != nullptr;
}

HICON LoadPicture(const Text& name, int size) {
  if (!HasPicture(name)) return nullptr;
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), name.c_str(), IMAGE_ICON, size, size, 0));
}

HICON ApplicationIcon(int size) {
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), "app-icon", IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace gui::win32
