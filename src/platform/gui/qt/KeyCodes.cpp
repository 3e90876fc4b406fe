#include "platform/gui/qt/KeyCodes.h"

#include <array>
#include <utility>

namespace gui::qt {
namespace {

// Keys whose code is not their letter or digit.
constexpr std::array<std::pair<int, int>, 33> kNamedKeys{{
    {Qt::Key_Backspace, 8},    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},      {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},       {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},     {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},       {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},      {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},      {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},         {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},        {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},       {Qt::Key_Down, 40},
    {Qt::Key_Insert, 45},      {Qt::Key_Delete, 46},
    {Qt::Key_Semicolon, 186},  {Qt::Key_Equal, 187},
    {Qt::Key_Comma, 188},      {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},     {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},  {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},  {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
}};

constexpr int kF1 = 112;
constexpr int kNumpad0 = 96;

}  // namespace

int KeyCodeOf(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return (event.modifiers() & Qt::KeypadModifier) ? kNumpad0 + (key - Qt::Key_0) : key;
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // Qt uses 'A'..'Z' too
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return kF1 + (key - Qt::Key_F1);
  for (const auto& [qtKey, code] : kNamedKeys)
    if (qtKey == key) return code;
  return 0;
}

Qt::Key QtKeyOf(int keyCode) {
  if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z'))
    return static_cast<Qt::Key>(keyCode);
  if (keyCode >= kNumpad0 && keyCode <= kNumpad0 + 9)
    return static_cast<Qt::Key>(Qt::Key_0 + keyCode - kNumpad0);
  if (keyCode >= kF1 && keyCode < kF1 + 24) return static_cast<Qt::Key>(Qt::Key_F1 + keyCode - kF1);
  for (const auto& [qtKey, code] : kNamedKeys)
    if (code == keyCode) return static_cast<Qt::Key>(qtKey);
  return Qt::Key_unknown;
}

QString KeyTextOf(int keyCode) {
  if (keyCode >= 'A' && keyCode <= 'Z') return QString(QChar(keyCode - 'A' + 'a'));
  if (keyCode >= '0' && keyCode <= '9') return QString(QChar(keyCode));
  if (keyCode >= kNumpad0 && keyCode <= kNumpad0 + 9)
    return QString(QChar('0' + keyCode - kNumpad0));
  switch (keyCode) {
    case 8:
      return QStringLiteral("\b");
    case 9:
      return QStringLiteral("\t");
    case 13:
      return QStringLiteral("\r");
    case 27:
      return QString(QChar(27));
    case 32:
      return QStringLiteral(" ");
    case 186:
      return QStringLiteral(";");
    case 187:
      return QStringLiteral("=");
    case 188:
      return QStringLiteral(",");
    case 189:
      return QStringLiteral("-");
    case 190:
      return QStringLiteral(".");
    case 191:
      return QStringLiteral("/");
    case 192:
      return QStringLiteral("`");
    case 219:
      return QStringLiteral("[");
    case 220:
      return QStringLiteral("\\");
    case 221:
      return QStringLiteral("]");
    case 222:
      return QStringLiteral("'");
    default:
      return {};
  }
}

}  // namespace gui::qt
