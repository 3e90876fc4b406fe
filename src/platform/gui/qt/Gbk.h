#pragma once
// The one place where GBK texts meet Qt's Unicode strings.

#include <QString>

#include "text/Text.h"

namespace gui::qt {

QString ToQString(const Text& text);
// Characters that GBK cannot hold become "?".
Text ToText(const QString& text);

}  // namespace gui::qt
