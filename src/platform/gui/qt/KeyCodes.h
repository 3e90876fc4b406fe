#pragma once
// Key codes as Windows numbers them (13 Enter, 'A'..'Z', '0'..'9', ...).

#include <QKeyEvent>

namespace gui::qt {

// 0 for a key without such a code.
int KeyCodeOf(const QKeyEvent& event);
// The Qt key and the text it types for a key code; Qt::Key_unknown when none.
Qt::Key QtKeyOf(int keyCode);
QString KeyTextOf(int keyCode);

}  // namespace gui::qt
