#include "platform/gui/win32/Metrics.h"

namespace gui::win32 {
namespace {

HFONT font = nullptr;

}  // namespace

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

int Scale(int tablePixels) {
  return MulDiv(tablePixels, ScreenDpi(), 96);
}

// The message font of the system (on Chinese Windows a GB2312 face), 9 points,
// asked for with the Chinese character set so that the glyphs are there
// whatever face the system names.
HFONT DialogFont() {
  if (font) return font;
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  LOGFONTA face{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    face = metrics.lfMessageFont;
  face.lfHeight = -MulDiv(9, ScreenDpi(), 72);
  face.lfWidth = 0;
  face.lfWeight = FW_NORMAL;
  face.lfCharSet = GB2312_CHARSET;
  face.lfQuality = CLEARTYPE_QUALITY;
  font = CreateFontIndirectA(&face);
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return font;
}

void DeleteDialogFont() {
  if (font && font != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(font);
  font = nullptr;
}

}  // namespace gui::win32
