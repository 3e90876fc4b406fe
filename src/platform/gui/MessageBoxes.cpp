#include "platform/gui/MessageBoxes.h"

#include <mutex>

namespace gui {
namespace {

std::mutex hookMutex;
std::function<bool(const MessageRecord&)> messageHook;

}  // namespace

std::function<bool(const MessageRecord&)> CurrentMessageHook() {
  std::lock_guard lock(hookMutex);
  return messageHook;
}

void ShowMessage(const Text& text, const Text& caption, const Window* owner) {
  AskOnGui({text, caption, false}, owner);
}

bool AskYesNo(const Text& text, const Text& caption, const Window* owner) {
  return AskOnGui({text, caption, true}, owner);
}

void SetMessageHook(std::function<bool(const MessageRecord&)> hook) {
  std::lock_guard lock(hookMutex);
  messageHook = std::move(hook);
}

}  // namespace gui
