// Message boxes, shown on the GUI thread while the caller waits, and the
// hook that answers them instead in tests.
#include "platform/gui/MessageBoxes.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/Cores.h"
#include "platform/gui/qt/Gbk.h"

namespace gui {
namespace {

QWidget* OwnerWidget(const Window* owner) {
  if (!owner || !owner->IsOpen()) return nullptr;
  return owner->Core()->widget;
}

}  // namespace

// Modal to every window of the program; the owner only places it. The
// buttons speak the windows' language.
bool AskOnGui(const MessageRecord& record, const Window* owner) {
  bool answer = false;
  qt::CallOnGui([&] {
    if (auto hook = CurrentMessageHook()) {
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

}  // namespace gui
