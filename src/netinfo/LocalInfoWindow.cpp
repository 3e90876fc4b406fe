#include "netinfo/LocalInfoWindow.h"

#include <vector>

#include "netinfo/SerialLoads.h"

namespace {

gui::WindowSpec LocalInfoWindowSpec() {
  using gui::ControlKind;
  return {"本机网络信息",
          50,
          50,
          388,
          478,
          {
              {ControlKind::Label, "透明标签1", 12, 19, 64, 18, "当前网卡："},
              {ControlKind::ComboBox, "组合框1", 84, 18, 284, 20},
              {ControlKind::Label, "透明标签7", 34, 72, 48, 18, "主机名："},
              {ControlKind::EditBox, "主机名_编辑框", 90, 67, 264, 28, "*"},
              {ControlKind::Label, "透明标签3", 18, 113, 64, 18, "MAC地址："},
              {ControlKind::EditBox, "物理地址_编辑框", 90, 108, 264, 28, "*"},
              {ControlKind::Label, "透明标签2", 18, 154, 64, 18, "IP地址："},
              {ControlKind::EditBox, "IP地址_编辑框", 90, 149, 264, 28, "*"},
              {ControlKind::Label, "透明标签4", 18, 195, 64, 18, "子网掩码："},
              {ControlKind::EditBox, "子网掩码_编辑框", 90, 190, 264, 28, "*"},
              {ControlKind::Label, "透明标签5", 18, 236, 64, 18, "默认网关："},
              {ControlKind::EditBox, "网关_编辑框", 90, 231, 146, 28, "*"},
              {ControlKind::Label, "透明标签10", 248, 236, 87, 18, "是否开启DHCP："},
              {ControlKind::Label, "是否DHCP_标签", 332, 236, 19, 18, "-"},
              {ControlKind::Label, "透明标签6", 18, 277, 64, 18, "DHCP地址："},
              {ControlKind::EditBox, "DHCP_编辑框", 90, 272, 264, 28, "*"},
              {ControlKind::Label, "透明标签8", 10, 318, 72, 18, "主DNS："},
              {ControlKind::EditBox, "主DNS_编辑框", 90, 313, 264, 28, "*"},
              {ControlKind::Label, "透明标签9", 10, 363, 72, 18, "副DNS："},
              {ControlKind::EditBox, "副DNS_编辑框", 90, 358, 264, 28, "*"},
              {ControlKind::Button, "按钮1", 134, 404, 120, 32, "刷 新"},
          }};
}

// What the loads work with. The window's handlers and every waiting or
// running load share it, so a load that outlives the window still has what
// it touches; once the window is closed its handles do nothing, and the
// checks below keep such a load from showing a message or starting work.
struct LocalInfoState {
  gui::Window window;
  std::shared_ptr<LocalInfoSource> source;
  SerialLoads loads;
};

// A message box without owner, unless the window has been closed. Checked
// and shown on the GUI thread, so a close cannot slip in between.
void ShowMessageWhileOpen(const gui::Window& window, const Text& text) {
  gui::RunOnGuiThread([&] {
    if (window.IsOpen()) gui::ShowMessage(text);
  });
}

// Runs on a worker after loadAdapters, or on the GUI thread for a user choice.
void showAdapter(const LocalInfoState& state) {
  const gui::Window& window = state.window;
  if (!window.IsOpen()) return;
  gui::ComboBox adapters = window.Get<gui::ComboBox>("组合框1");

  int index = adapters.SelectedIndex();
  if (index == -1) return;
  window.Get<gui::EditBox>("主机名_编辑框").SetText(state.source->HostName());
  Text adapterKey = adapters.ItemText(index);

  IpconfigReport report = state.source->AdapterReport(adapterKey);
  if (!report.found) {
    ShowMessageWhileOpen(window, "获取网卡信息失败！");
    return;
  }
  gui::RunOnGuiThread([&] {
    window.Get<gui::EditBox>("物理地址_编辑框").SetText(report.macAddress);
    window.Get<gui::EditBox>("IP地址_编辑框").SetText(report.ipv4Addresses);
    window.Get<gui::EditBox>("子网掩码_编辑框").SetText(report.subnetMasks);
    window.Get<gui::EditBox>("网关_编辑框").SetText(report.defaultGateway);
    window.Get<gui::EditBox>("DHCP_编辑框")
        .SetText(report.dhcpServer.empty() ? Text("手动配置") : report.dhcpServer);
    window.Get<gui::Label>("是否DHCP_标签").SetText(report.dhcpEnabled);
    window.Get<gui::EditBox>("主DNS_编辑框").SetText(report.primaryDns);
    window.Get<gui::EditBox>("副DNS_编辑框").SetText(report.secondaryDns);
  });
}

// Runs on a worker: fills the combo box afresh and shows the first adapter.
void loadAdapters(const LocalInfoState& state) {
  const gui::Window& window = state.window;
  if (!window.IsOpen()) return;  // closed while this load waited its turn

  std::vector<Text> descriptions = state.source->AdapterDescriptions();
  // The list changes in one go, so the user never picks from half of it.
  gui::RunOnGuiThread([&] {
    gui::ComboBox adapters = window.Get<gui::ComboBox>("组合框1");
    adapters.Clear();
    if (descriptions.empty()) return;
    for (const Text& description : descriptions)
      if (!description.empty()) adapters.AddItem(description);
    adapters.Select(0);
  });
  if (descriptions.empty()) {
    ShowMessageWhileOpen(window, "载入网卡失败，请刷新重试！");
    return;
  }
  showAdapter(state);
}

}  // namespace

gui::Window LoadLocalInfoWindow(std::shared_ptr<LocalInfoSource> source, SerialLoads loads) {
  auto state = std::make_shared<LocalInfoState>();
  state->window = gui::Window(LocalInfoWindowSpec());
  state->source = std::move(source);
  state->loads = std::move(loads);
  // The handlers hold the state until the window closes; the toolkit drops
  // them then, and the last load to finish lets it go.
  auto loadOnWorker = [state] { state->loads.RunOnWorker([state] { loadAdapters(*state); }); };
  state->window.OnCreated(loadOnWorker);
  state->window.Get<gui::Button>("按钮1").OnClicked(loadOnWorker);
  state->window.Get<gui::ComboBox>("组合框1").OnItemSelected(
      [state] { state->loads.RunHereOrQueue([state] { showAdapter(*state); }); });
  return state->window;
}

void ShowLocalInfoWindow(const gui::Window* owner) {
  gui::Window window = LoadLocalInfoWindow(SystemLocalInfoSource());
  window.ShowModal(owner);
}
