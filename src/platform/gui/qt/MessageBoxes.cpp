// Message boxes, shown on the GUI thread while the caller waits, and the
// hook that answers them instead in tests.
#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <mutex>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace {

std::mutex hookMutex;
std::function<bool(const MessageRecord&)> messageHook;

std::function<bool(const MessageRecord&)> CurrentHook() {
  std::lock_guard lock(hookMutex);
  return messageHook;
}

QWidget* OwnerWidget(const Window* owner) {
  if (!owner || !owner->IsOpen()) return nullptr;
  return owner->Core()->widget;
}

// Modal to every window of the program; the owner only places it. The
// buttons speak the windows' language.
bool Ask(const MessageRecord& record, const Window* owner) {
  bool answer = false;
  qt::CallOnGui([&] {
    if (auto hook = CurrentHook()) {
      answer = hook(record);
      return;
    }
    QWidget* parent = OwnerWidget(owner);
    const auto buttons = record.question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    QPointer<QMessageBox> box =
        new QMessageBox(record.question ? QMessageBox::Question : QMessageBox::NoIcon,
                        qt::ToQString(record.caption), qt::ToQString(record.text), buttons, parent);
    box->setWindowModality(Qt::ApplicationModal);
    if (record.question) {
      box->button(QMessageBox::Yes)->setText(qt::ToQString("是(&Y)"));
      box->button(QMessageBox::No)->setText(qt::ToQString("否(&N)"));
    } else {
      box->button(QMessageBox::Ok)->setText(qt::ToQString("确定"));
    }
    const int result = box->exec();
    answer = record.question ? result == QMessageBox::Yes : true;
    delete box.data();
  });
  return answer;
}

}  // namespace

void ShowMessage(const Text& text, const Text& caption, const Window* owner) {
  Ask({text, caption, false}, owner);
}

bool AskYesNo(const Text& text, const Text& caption, const Window* owner) {
  return Ask({text, caption, true}, owner);
}

void SetMessageHook(std::function<bool(const MessageRecord&)> hook) {
  std::lock_guard lock(hookMutex);
  messageHook = std::move(hook);
}

}  // namespace gui
