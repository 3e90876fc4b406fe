// Top-level windows built from their control tables.
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

#include "platform/gui/ControlKinds.h"
#include "platform/gui/Gui.h"
#include "platform/gui/qt/ControlWidgets.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"
#include "platform/gui/qt/Pictures.h"
#include "platform/gui/qt/WindowRegistry.h"

namespace gui {
namespace qt {
namespace {

using detail::WindowCore;

// A table's size is the outer size of a framed window; this is that frame.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 29;
constexpr int kMargin = 5;

void CloseWindow(const std::shared_ptr<WindowCore>& window);

class WindowWidget : public QWidget {
 public:
  explicit WindowWidget(std::shared_ptr<WindowCore> core)
      : QWidget(nullptr, Qt::Window), core_(std::move(core)) {}

 protected:
  // The frame's close box: the window closes our way (closed event first).
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    CloseWindow(core_);
  }

 private:
  std::shared_ptr<WindowCore> core_;  // keeps the core while the window lives
};

Qt::WindowFlags FramedFlags(bool owned) {
  Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint;
  return owned ? flags | Qt::Dialog : flags | Qt::Window | Qt::WindowMinimizeButtonHint;
}

void CloseWindow(const std::shared_ptr<WindowCore>& window) {
  if (!window->alive.load() || window->closing) return;
  window->closing = true;
  // Owned windows go before their owner, as they would on Windows.
  for (const auto& other : LiveWindows())
    if (other->owner.lock() == window) CloseWindow(other);
  auto closed = window->onClosed;
  if (closed) closed();
  MarkClosed(*window);
  if (window->modalLoop) window->modalLoop->quit();
  if (QWidget* widget = window->widget) {
    widget->hide();
    // Later: the close may come from a handler of one of its own controls.
    widget->deleteLater();
  }
  EndLoopIfNoWindowIsOpen();
}

// Adopts the owner (first showing only) and runs the created event.
// False when the window did not survive its created event.
bool PrepareShowing(const std::shared_ptr<WindowCore>& window, const Window* owner) {
  QWidget* widget = window->widget;
  if (!window->shown && owner && owner->Core() && owner->Core()->alive.load() &&
      owner->Core()->widget && owner->Core() != window) {
    const QPoint place = widget->pos();
    widget->setParent(owner->Core()->widget, FramedFlags(true));
    widget->move(place);
    window->owner = owner->Core();
  }
  if (!window->createdRan) {
    window->createdRan = true;
    auto created = window->onCreated;
    if (created) created();
  }
  return window->alive.load() && window->widget;
}

void RaiseAndActivate(QWidget* widget) {
  // The offscreen platform of the tests has no stacking order.
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) widget->raise();
  widget->activateWindow();
}

void Appear(const std::shared_ptr<WindowCore>& window) {
  window->shown = true;
  window->widget->show();
  RaiseAndActivate(window->widget);
}

}  // namespace
}  // namespace qt

using qt::CallOnGui;

Window::Window(const WindowSpec& table) {
  CallOnGui([&] {
    auto core = std::make_shared<detail::WindowCore>();
    core->title = table.title;
    auto* widget = new qt::WindowWidget(core);
    core->widget = widget;
    widget->setWindowFlags(qt::FramedFlags(false));
    widget->setWindowTitle(qt::ToQString(table.title));
    widget->setWindowIcon(qt::ApplicationIcon());
    int right = 0, bottom = 0;
    QWidget* statusBar = nullptr;
    for (const ControlSpec& controlSpec : table.controls) {
      QWidget* controlWidget = qt::CreateControlWidget(controlSpec.kind, widget);
      auto* access = dynamic_cast<qt::ControlWidget*>(controlWidget);
      if (!access) {
        delete controlWidget;
        continue;
      }
      auto control = std::make_shared<detail::ControlCore>();
      control->kind = controlSpec.kind;
      control->name = controlSpec.name;
      control->widget = controlWidget;
      access->core = control;
      controlWidget->setObjectName(qt::ToQString(controlSpec.name));
      controlWidget->setGeometry(controlSpec.left, controlSpec.top, controlSpec.width,
                                 controlSpec.height);
      access->Placed(QSize(controlSpec.width, controlSpec.height));
      if (!controlSpec.text.empty()) access->SetTextValue(controlSpec.text);
      core->controls.push_back(control);
      if (controlSpec.kind == ControlKind::StatusBar && !statusBar) {
        statusBar = controlWidget;  // docked below, as on Windows
        continue;
      }
      right = std::max(right, controlSpec.left + controlSpec.width);
      bottom = std::max(bottom, controlSpec.top + controlSpec.height);
    }
    // Nothing of the table may be cut off by a frame that is smaller here.
    const int clientWidth = std::max(table.width - qt::kFrameWidth, right + qt::kMargin);
    int clientHeight = std::max(table.height - qt::kFrameHeight, bottom + qt::kMargin);
    if (statusBar) {
      clientHeight = std::max(clientHeight, bottom + statusBar->height());
      statusBar->setGeometry(0, clientHeight - statusBar->height(), clientWidth,
                             statusBar->height());
    }
    widget->setFixedSize(clientWidth, clientHeight);
    widget->move(table.left, table.top);
    qt::RegisterWindow(core);
    core_ = core;
  });
}

bool Window::IsOpen() const {
  return core_ && core_->alive.load();
}

Text Window::Title() const {
  return core_ ? core_->title : Text();
}

void Window::OnCreated(std::function<void()> handler) {
  CallOnGui([&] {
    if (IsOpen()) core_->onCreated = std::move(handler);
  });
}

void Window::OnClosed(std::function<void()> handler) {
  CallOnGui([&] {
    if (IsOpen()) core_->onClosed = std::move(handler);
  });
}

void Window::Show(const Window* owner) {
  CallOnGui([&] {
    if (!IsOpen() || !core_->widget) return;
    auto window = core_;
    if (qt::PrepareShowing(window, owner)) qt::Appear(window);
  });
}

void Window::ShowModal(const Window* owner) {
  CallOnGui([&] {
    if (!IsOpen() || !core_->widget) return;
    auto window = core_;
    if (!qt::PrepareShowing(window, owner)) return;
    QWidget* widget = window->widget;
    if (widget->isVisible()) widget->hide();
    widget->setWindowModality(window->owner.lock() ? Qt::WindowModal : Qt::ApplicationModal);
    qt::Appear(window);
    QEventLoop loop;
    window->modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    window->modalLoop = nullptr;
  });
}

void Window::Close() {
  CallOnGui([&] {
    if (IsOpen()) qt::CloseWindow(core_);
  });
}

void Window::BringToFront() {
  CallOnGui([&] {
    if (!IsOpen() || !core_->widget) return;
    qt::RaiseAndActivate(core_->widget);
  });
}

bool Window::IsActive() const {
  bool active = false;
  CallOnGui([&] { active = IsOpen() && core_->widget && core_->widget->isActiveWindow(); });
  return active;
}

template <class T>
T Window::Get(const Text& name) const {
  if (!core_) return T();
  // The table never changes once the window is built.
  for (const auto& control : core_->controls)
    if (control->name == name && IsOfKind<T>(control->kind)) return T(control);
  return T();
}

template Control Window::Get<Control>(const Text&) const;
template Toolbar Window::Get<Toolbar>(const Text&) const;
template Grid Window::Get<Grid>(const Text&) const;
template ListBox Window::Get<ListBox>(const Text&) const;
template EditBox Window::Get<EditBox>(const Text&) const;
template IPv4Box Window::Get<IPv4Box>(const Text&) const;
template ComboBox Window::Get<ComboBox>(const Text&) const;
template CheckBox Window::Get<CheckBox>(const Text&) const;
template Button Window::Get<Button>(const Text&) const;
template Label Window::Get<Label>(const Text&) const;
template Slider Window::Get<Slider>(const Text&) const;
template ProgressBar Window::Get<ProgressBar>(const Text&) const;
template StatusBar Window::Get<StatusBar>(const Text&) const;
template PictureBox Window::Get<PictureBox>(const Text&) const;
template Shape Window::Get<Shape>(const Text&) const;

}  // namespace gui
