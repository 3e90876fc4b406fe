#include "platform/gui/qt/GuiThread.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/gui/Gui.h"

namespace gui::qt {
namespace {

// A call handed to the GUI thread. Its state changes only under callMutex:
// the GUI thread claims a pending call before it runs it, and a caller that
// gives up marks it abandoned, so a call never runs after its caller left.
struct PendingCall {
  enum class State { Pending, Running, Done, Abandoned };
  const std::function<void()>* fn;
  State state = State::Pending;
};

std::mutex callMutex;
std::condition_variable callDone;
bool serving = false;  // guarded by callMutex
std::atomic<bool> loopEnded{true};
std::atomic<std::thread::id> guiThread{};

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class CallEvent : public QEvent {
 public:
  explicit CallEvent(std::shared_ptr<PendingCall> call)
      : QEvent(kCallEvent), call_(std::move(call)) {}
  const std::shared_ptr<PendingCall>& Call() const { return call_; }

 private:
  std::shared_ptr<PendingCall> call_;
};

class CallReceiver : public QObject {
 protected:
  void customEvent(QEvent* event) override {
    if (event->type() != kCallEvent) return;
    const auto& call = static_cast<CallEvent*>(event)->Call();
    {
      std::lock_guard lock(callMutex);
      if (call->state != PendingCall::State::Pending) return;
      call->state = PendingCall::State::Running;
    }
    (*call->fn)();
    {
      std::lock_guard lock(callMutex);
      call->state = PendingCall::State::Done;
    }
    callDone.notify_all();
  }
};

CallReceiver* receiver = nullptr;  // guarded by callMutex

}  // namespace

bool CallOnGui(const std::function<void()>& fn) {
  if (OnGuiThread()) {
    fn();
    return true;
  }
  auto call = std::make_shared<PendingCall>();
  call->fn = &fn;
  std::unique_lock lock(callMutex);
  if (!serving) return false;
  // Posting under the lock keeps the receiver alive until the event is queued.
  QCoreApplication::postEvent(receiver, new CallEvent(call));
  callDone.wait(lock, [&] {
    return call->state == PendingCall::State::Done ||
           (call->state == PendingCall::State::Pending && !serving);
  });
  if (call->state == PendingCall::State::Done) return true;
  call->state = PendingCall::State::Abandoned;
  return false;
}

void StartServingCalls() {
  guiThread = std::this_thread::get_id();
  std::lock_guard lock(callMutex);
  if (!receiver) receiver = new CallReceiver;
  serving = true;
  loopEnded = false;
}

void StopServingCalls() {
  {
    std::lock_guard lock(callMutex);
    serving = false;
    loopEnded = true;
  }
  callDone.notify_all();
}

bool OnGuiThread() {
  return guiThread.load() == std::this_thread::get_id();
}

bool HasLoopEnded() {
  return loopEnded.load();
}

void DeleteCallReceiver() {
  std::lock_guard lock(callMutex);
  delete receiver;
  receiver = nullptr;
}

}  // namespace gui::qt

namespace gui {

bool IsGuiThread() {
  return qt::OnGuiThread();
}

bool LoopEnded() {
  return qt::HasLoopEnded();
}

}  // namespace gui
