// Draws the toolbar pictures and the application icon into PNG files.
// Not part of the build: the committed PNGs are. To draw them again:
//   g++ -std=c++20 -fPIC DrawIcons.cpp $(pkg-config --cflags --libs Qt6Gui) -o /tmp/draw-icons
//   QT_QPA_PLATFORM=offscreen /tmp/draw-icons src/platform/gui/qt/icons
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

namespace {

constexpr int kToolbarSize = 24;

QColor Darker(const QColor& c, int f = 150) {
  return c.darker(f);
}

// A shape filled with a top-to-bottom gradient of its colour and outlined a
// shade darker: the one style of every toolbar picture.
void Fill(QPainter& p, const QPainterPath& path, const QColor& color, qreal outline = 1.0) {
  QLinearGradient gradient(path.boundingRect().topLeft(), path.boundingRect().bottomLeft());
  gradient.setColorAt(0, color.lighter(135));
  gradient.setColorAt(1, color);
  p.setBrush(gradient);
  p.setPen(outline > 0 ? QPen(Darker(color), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin)
                       : Qt::NoPen);
  p.drawPath(path);
}

const QColor kGreen(46, 160, 67);
const QColor kRed(212, 52, 52);
const QColor kBlue(38, 110, 200);
const QColor kGray(120, 128, 138);
const QColor kOrange(232, 150, 30);

void About(QPainter& p) {
  QPainterPath circle;
  circle.addEllipse(QRectF(2.5, 2.5, 19, 19));
  Fill(p, circle, kBlue);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(10.5, 5.5, 3, 3));
  p.drawRoundedRect(QRectF(10.5, 10, 3, 8.5), 1, 1);
}

void Start(QPainter& p) {
  QPainterPath triangle;
  triangle.moveTo(6, 3.5);
  triangle.lineTo(20.5, 12);
  triangle.lineTo(6, 20.5);
  triangle.closeSubpath();
  Fill(p, triangle, kGreen);
}

void Stop(QPainter& p) {
  QPainterPath square;
  square.addRoundedRect(QRectF(4.5, 4.5, 15, 15), 2.5, 2.5);
  Fill(p, square, kRed);
}

QPainterPath Plus(QRectF box, qreal thickness) {
  QPainterPath path;
  const QPointF c = box.center();
  path.addRoundedRect(QRectF(box.left(), c.y() - thickness / 2, box.width(), thickness), 1.2, 1.2);
  path.addRoundedRect(QRectF(c.x() - thickness / 2, box.top(), thickness, box.height()), 1.2, 1.2);
  return path.simplified();
}

void Add(QPainter& p) {
  Fill(p, Plus(QRectF(3.5, 3.5, 17, 17), 5.5), kGreen);
}

// Picture 4: a pencil, for editing an entry.
void Edit(QPainter& p) {
  p.save();
  p.translate(12, 12);
  p.rotate(45);
  QPainterPath body;
  body.addRoundedRect(QRectF(-3, -10, 6, 14), 1, 1);
  Fill(p, body, kOrange);
  QPainterPath tip;
  tip.moveTo(-3, 4.5);
  tip.lineTo(3, 4.5);
  tip.lineTo(0, 10);
  tip.closeSubpath();
  Fill(p, tip, QColor(222, 190, 140));
  p.restore();
}

void Delete(QPainter& p) {
  p.save();
  p.translate(12, 12);
  p.rotate(45);
  p.translate(-12, -12);
  Fill(p, Plus(QRectF(3, 3, 18, 18), 5), kRed);
  p.restore();
}

QPainterPath Magnifier(QPointF centre, qreal radius) {
  QPainterPath ring;
  ring.addEllipse(centre, radius, radius);
  ring.addEllipse(centre, radius - 2.2, radius - 2.2);
  return ring;
}

void Handle(QPainter& p, QPointF from, QPointF to) {
  p.setPen(QPen(QColor(70, 70, 78), 3.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
}

// Picture 6: three linked hosts with a magnifier over them.
void LanSearch(QPainter& p) {
  p.setPen(QPen(kGray.darker(120), 1.4));
  p.drawLine(QPointF(5, 17), QPointF(12, 6));
  p.drawLine(QPointF(12, 6), QPointF(19, 17));
  p.drawLine(QPointF(5, 17), QPointF(19, 17));
  for (QPointF host : {QPointF(5, 17), QPointF(12, 6), QPointF(19, 17)}) {
    QPainterPath node;
    node.addRoundedRect(QRectF(host.x() - 3, host.y() - 2.5, 6, 5), 1, 1);
    Fill(p, node, kBlue, 0.8);
  }
  Handle(p, QPointF(15.5, 15.5), QPointF(21, 21));
  QPainterPath glass;
  glass.addEllipse(QPointF(12, 12), 4.8, 4.8);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 230, 255, 120));
  p.drawPath(glass);
  Fill(p, Magnifier(QPointF(12, 12), 6), QColor(80, 80, 90), 0);
}

// Picture 7: a gear.
void Settings(QPainter& p) {
  QPainterPath gear;
  const QPointF c(12, 12);
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    const qreal a0 = (i - 0.5) * M_PI / teeth;
    const qreal a1 = (i + 0.5) * M_PI / teeth;
    const qreal r = i % 2 == 0 ? 10 : 7.5;
    const QPointF p0 = c + QPointF(std::cos(a0) * r, std::sin(a0) * r);
    const QPointF p1 = c + QPointF(std::cos(a1) * r, std::sin(a1) * r);
    if (i == 0)
      gear.moveTo(p0);
    else
      gear.lineTo(p0);
    gear.lineTo(p1);
  }
  gear.closeSubpath();
  gear.addEllipse(c, 3.2, 3.2);
  gear.setFillRule(Qt::OddEvenFill);
  Fill(p, gear, kGray);
}

// Picture 8: a clipboard, for copying.
void Clipboard(QPainter& p) {
  QPainterPath board;
  board.addRoundedRect(QRectF(4.5, 4, 15, 18), 2, 2);
  Fill(p, board, QColor(176, 124, 72));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(7, 7.5, 10, 12));
  p.setPen(QPen(kGray, 1));
  for (qreal y : {10.5, 13.5, 16.5}) p.drawLine(QPointF(8.5, y), QPointF(15.5, y));
  QPainterPath clip;
  clip.addRoundedRect(QRectF(8.5, 2.5, 7, 3.5), 1, 1);
  Fill(p, clip, kGray);
}

// Picture 9: a monitor with a network plug, the local machine.
void LocalInfo(QPainter& p) {
  QPainterPath frame;
  frame.addRoundedRect(QRectF(2.5, 3.5, 19, 13.5), 1.5, 1.5);
  Fill(p, frame, QColor(70, 76, 86));
  QLinearGradient screen(QPointF(0, 5), QPointF(0, 15));
  screen.setColorAt(0, QColor(120, 190, 250));
  screen.setColorAt(1, kBlue);
  p.setPen(Qt::NoPen);
  p.setBrush(screen);
  p.drawRect(QRectF(4.5, 5.5, 15, 9.5));
  p.setBrush(QColor(70, 76, 86));
  p.drawRect(QRectF(10.5, 17, 3, 2.5));
  p.drawRoundedRect(QRectF(6.5, 19.5, 11, 2), 1, 1);
  // The network: three linked dots on the screen.
  p.setPen(QPen(Qt::white, 1.2));
  p.drawLine(QPointF(8, 12.5), QPointF(12, 8));
  p.drawLine(QPointF(12, 8), QPointF(16, 12.5));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  for (QPointF dot : {QPointF(8, 12.5), QPointF(12, 8), QPointF(16, 12.5)})
    p.drawEllipse(dot, 1.6, 1.6);
}

// Picture 10: two arrows chasing each other round a circle.
void Reload(QPainter& p) {
  const QPointF c(12, 12);
  const qreal r = 7.5;
  for (int half = 0; half < 2; ++half) {
    const qreal start = half * 180.0 + 20;
    QPainterPath arc;
    arc.arcMoveTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), start);
    arc.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), start, 130);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Darker(kGreen, 120), 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    // The arrow head at the end of the arc, pointing along it.
    const qreal end = (start + 130) * M_PI / 180.0;
    const QPointF tip = c + QPointF(std::cos(end) * r, -std::sin(end) * r);
    const QPointF along(-std::sin(end), -std::cos(end));
    const QPointF across(std::cos(end), -std::sin(end));
    QPainterPath head;
    head.moveTo(tip + along * 4.0);
    head.lineTo(tip + across * 4.0);
    head.lineTo(tip - across * 4.0);
    head.closeSubpath();
    Fill(p, head, Darker(kGreen, 120), 0);
  }
}

// The application icon, drawn for each size on a 128-unit canvas: a blue
// rounded tile with radar rings and a green dot answering.
void AppIcon(QPainter& p) {
  QPainterPath tile;
  tile.addRoundedRect(QRectF(6, 6, 116, 116), 24, 24);
  QLinearGradient background(QPointF(0, 6), QPointF(0, 122));
  background.setColorAt(0, QColor(64, 146, 236));
  background.setColorAt(1, QColor(22, 78, 164));
  p.setBrush(background);
  p.setPen(QPen(QColor(16, 60, 130), 3));
  p.drawPath(tile);
  const QPointF origin(36, 92);
  p.setBrush(Qt::NoBrush);
  for (int ring = 0; ring < 3; ++ring) {
    const qreal r = 26 + ring * 22;
    p.setPen(QPen(QColor(255, 255, 255, 230 - ring * 50), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(origin.x() - r, origin.y() - r, 2 * r, 2 * r), 0 * 16, 90 * 16);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(origin, 11, 11);
  QRadialGradient dot(QPointF(96, 30), 14, QPointF(92, 26));
  dot.setColorAt(0, QColor(150, 240, 150));
  dot.setColorAt(1, QColor(40, 170, 60));
  p.setBrush(dot);
  p.setPen(QPen(QColor(20, 110, 40), 2.5));
  p.drawEllipse(QPointF(96, 30), 13, 13);
}

void Save(const QString& file, int size, qreal units, const std::function<void(QPainter&)>& draw) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / units, size / units);
  draw(p);
  p.end();
  image.save(file);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  const std::function<void(QPainter&)> toolbar[] = {
      About, Start, Stop, Add, Edit, Delete, LanSearch, Settings, Clipboard, LocalInfo, Reload};
  for (int i = 0; i < 11; ++i)
    Save(QStringLiteral("%1/toolbar-%2.png").arg(dir).arg(i), kToolbarSize, kToolbarSize,
         toolbar[i]);
  for (int size : {16, 24, 32, 40, 48, 64, 96, 128})
    Save(QStringLiteral("%1/app-icon-%2.png").arg(dir).arg(size), size, 128, AppIcon);
  return 0;
}
