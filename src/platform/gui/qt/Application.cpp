// The application object, the main loop and event pumping.
#include <QApplication>
#include <QEventLoop>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "platform/gui/Gui.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/Pictures.h"
#include "platform/gui/qt/WindowRegistry.h"

// Resources compiled into a static library must be registered by name.
static void LoadCompiledResources() {
  Q_INIT_RESOURCE(Icons);
}

namespace gui {
namespace {

std::unique_ptr<QApplication> qtApp;
std::atomic<bool> quitRequested{false};
bool running = false;  // GUI thread only: Run's loop is in progress

// A font with Chinese glyphs, so that the windows read the same everywhere.
void SetApplicationFont() {
  const QString family = QStringLiteral("WenQuanYi Micro Hei");
  QFont font = QApplication::font();
  if (QFontDatabase::families().contains(family)) font.setFamily(family);
  font.setPointSize(9);
  QApplication::setFont(font);
}

}  // namespace

Application::Application(int& argc, char** argv) {
  qtApp = std::make_unique<QApplication>(argc, argv);
  LoadCompiledResources();
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(qt::ApplicationIcon());
  SetApplicationFont();
  quitRequested = false;
  qt::StartServingCalls();
}

Application::~Application() {
  qt::StopServingCalls();
  qt::DestroyAllWindows();
  qt::DeleteCallReceiver();
  qtApp.reset();
}

int Application::Run() {
  int result = 0;
  if (!quitRequested.load() && qt::OpenWindowCount() > 0) {
    running = true;
    result = QApplication::exec();
    running = false;
  }
  qt::StopServingCalls();
  return result;
}

void Application::Quit() {
  quitRequested = true;
  if (!qApp) return;
  if (IsGuiThread()) {
    if (running) QCoreApplication::exit(0);
  } else {
    QMetaObject::invokeMethod(
        qApp, [] { Quit(); }, Qt::QueuedConnection);
  }
}

namespace qt {

void EndLoopIfNoWindowIsOpen() {
  if (running && OpenWindowCount() == 0) QCoreApplication::exit(0);
}

}  // namespace qt

void ProcessPendingEvents() {
  if (!IsGuiThread() || !qApp) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WaitWithEvents(int ms) {
  if (ms <= 0) return;
  if (!IsGuiThread() || !qApp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return;
  }
  QEventLoop loop;
  QTimer timer;
  timer.setSingleShot(true);
  timer.setTimerType(Qt::PreciseTimer);
  bool elapsed = false;
  QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
    elapsed = true;
    loop.quit();
  });
  timer.start(ms);
  loop.exec();
  // A loop ends early when the application quits; the wait still lasts ms.
  while (!elapsed) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void RunOnGuiThread(const std::function<void()>& fn) {
  if (LoopEnded() || !fn) return;
  qt::CallOnGui(fn);
}

}  // namespace gui
