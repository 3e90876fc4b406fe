// The clipboard, as plain text.
#include <QClipboard>
#include <QGuiApplication>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/Gbk.h"
#include "platform/gui/qt/GuiThread.h"

namespace gui {

bool SetClipboardText(const Text& text) {
  bool taken = false;
  qt::CallOnGui([&] {
    if (!qApp) return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QString wanted = qt::ToQString(text);
    clipboard->setText(wanted);
    taken = clipboard->text() == wanted;
  });
  return taken;
}

Text ClipboardText() {
  Text text;
  qt::CallOnGui([&] {
    if (qApp) text = qt::ToText(QGuiApplication::clipboard()->text());
  });
  return text;
}

}  // namespace gui
