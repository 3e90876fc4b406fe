#include "platform/gui/qt/Gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace gui::qt {

// One stateless converter per thread: each call starts afresh, and no two
// threads share converter state.
QString ToQString(const Text& text) {
  thread_local QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
  return decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

Text ToText(const QString& text) {
  thread_local QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
  QByteArray bytes = encoder.encode(text);
  return Text(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace gui::qt
