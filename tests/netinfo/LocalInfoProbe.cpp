// Opens the local information window with this machine's adapters, waits
// until it shows the first one (or tells of a failure) and prints what it
// shows, one "name=text" line per control; message boxes as "message=text".
// The netlab test runs it inside a namespace of its own.

#include <chrono>
#include <cstdio>
#include <vector>

#include "netinfo/LocalInfoWindow.h"
#include "platform/gui/Gui.h"

int main(int argc, char** argv) {
  gui::Application app(argc, argv);
  std::vector<Text> messages;
  gui::SetMessageHook([&](const gui::MessageRecord& message) {
    messages.push_back(message.text);
    return true;
  });
  gui::Window window = LoadLocalInfoWindow(SystemLocalInfoSource());
  window.Show();

  const char* const shown[] = {
      "组合框1",     "主机名_编辑框", "物理地址_编辑框", "IP地址_编辑框", "子网掩码_编辑框",
      "网关_编辑框", "是否DHCP_标签", "DHCP_编辑框",     "主DNS_编辑框",  "副DNS_编辑框"};
  auto lastShown = window.Get<gui::Control>("副DNS_编辑框");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (lastShown.GetText() == "*" && messages.empty() &&
         std::chrono::steady_clock::now() < deadline)
    gui::WaitWithEvents(5);

  Text out;
  for (const char* name : shown)
    out += Text(name) + "=" + window.Get<gui::Control>(name).GetText() + "\n";
  for (const Text& message : messages) out += "message=" + message + "\n";
  std::fwrite(out.data(), 1, out.size(), stdout);
  window.Close();
  return 0;
}
