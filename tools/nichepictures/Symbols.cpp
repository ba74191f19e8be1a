#include "Symbols.h"

#include <QPainterPathStroker>
#include <QPointF>
#include <QRectF>
#include <QTransform>

#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>

#include "content/NicheCatalog.h"

namespace veltrane::nichepictures {
namespace {

void line(QPainterPath& path, double x1, double y1, double x2, double y2) {
  path.moveTo(x1, y1);
  path.lineTo(x2, y2);
}

void polyline(QPainterPath& path, std::initializer_list<QPointF> points, bool closed = false) {
  path.moveTo(*points.begin());
  for (auto it = points.begin() + 1; it != points.end(); ++it) path.lineTo(*it);
  if (closed) path.closeSubpath();
}

void polygon(QPainterPath& path, std::initializer_list<QPointF> points) {
  polyline(path, points, true);
}

void circle(QPainterPath& path, double x, double y, double r) {
  path.addEllipse(QPointF(x, y), r, r);
}

void roundRect(QPainterPath& path, double x, double y, double w, double h, double r) {
  path.addRoundedRect(QRectF(x, y, w, h), r, r);
}

// A rounded bar of `length` x `width` centred on (x, y), turned by `degrees`.
QPainterPath capsule(double x, double y, double length, double width, double degrees) {
  QPainterPath bar;
  bar.addRoundedRect(QRectF(-length / 2, -width / 2, length, width), width / 2, width / 2);
  return QTransform().translate(x, y).rotate(degrees).map(bar);
}

// A heart filling the 24 x 24 grid, moved to `x`, `y` and scaled by `s`.
QPainterPath heart(double x = 0, double y = 0, double s = 1) {
  QPainterPath h;
  h.moveTo(12, 20.5);
  h.cubicTo(5, 15.5, 2.5, 11.5, 2.5, 8.5);
  h.cubicTo(2.5, 5.5, 4.8, 3.5, 7.5, 3.5);
  h.cubicTo(9.5, 3.5, 11, 4.7, 12, 6.5);
  h.cubicTo(13, 4.7, 14.5, 3.5, 16.5, 3.5);
  h.cubicTo(19.2, 3.5, 21.5, 5.5, 21.5, 8.5);
  h.cubicTo(21.5, 11.5, 19, 15.5, 12, 20.5);
  return QTransform().translate(x, y).scale(s, s).map(h);
}

// A head and shoulders, `width` wide, its top at `top`.
void bust(QPainterPath& path, double x, double top, double width) {
  const double half = width / 2;
  const double head = width * 0.28;
  circle(path, x, top + head, head);
  const double shoulders = top + 2 * head + width * 0.12;
  const double base = shoulders + width * 0.55;
  path.moveTo(x - half, base);
  path.cubicTo(x - half, shoulders, x + half, shoulders, x + half, base);
  path.closeSubpath();
}

// A speech bubble in `box` with a tail below it, starting at `tailX` and reaching `tip`.
QPainterPath bubble(const QRectF& box, double tailX, QPointF tip) {
  const double r = 3;
  const double tailWidth = 4;
  QPainterPath b;
  b.moveTo(box.left() + r, box.top());
  b.arcTo(QRectF(box.right() - 2 * r, box.top(), 2 * r, 2 * r), 90, -90);
  b.arcTo(QRectF(box.right() - 2 * r, box.bottom() - 2 * r, 2 * r, 2 * r), 0, -90);
  b.lineTo(tailX + tailWidth, box.bottom());
  b.lineTo(tip);
  b.lineTo(tailX, box.bottom());
  b.arcTo(QRectF(box.left(), box.bottom() - 2 * r, 2 * r, 2 * r), 270, -90);
  b.arcTo(QRectF(box.left(), box.top(), 2 * r, 2 * r), 180, -90);
  b.closeSubpath();
  return b;
}

void star(QPainterPath& path, double x, double y, double outer, double inner) {
  for (int k = 0; k < 10; ++k) {
    const double a = (k * 36 - 90) * std::numbers::pi / 180;
    const double r = k % 2 == 0 ? outer : inner;
    const QPointF p(x + r * std::cos(a), y + r * std::sin(a));
    if (k == 0) {
      path.moveTo(p);
    } else {
      path.lineTo(p);
    }
  }
  path.closeSubpath();
}

// The outline of disc 1 less disc 2, for two discs that cross.
QPainterPath crescent(QPointF c1, double r1, QPointF c2, double r2) {
  const QPointF d = c2 - c1;
  const double dist = std::hypot(d.x(), d.y());
  const double a = (r1 * r1 - r2 * r2 + dist * dist) / (2 * dist);
  const double h = std::sqrt(r1 * r1 - a * a);
  const QPointF mid = c1 + d * (a / dist);
  const QPointF across(-d.y() / dist * h, d.x() / dist * h);
  const QPointF p = mid + across;
  const QPointF q = mid - across;
  // Qt's arc angles count counter-clockwise with y up.
  const auto angle = [](QPointF center, QPointF at) {
    return std::atan2(center.y() - at.y(), at.x() - center.x()) * 180 / std::numbers::pi;
  };
  const auto positive = [](double sweep) { return sweep < 0 ? sweep + 360 : sweep; };
  QPainterPath m;
  // The long way round disc 1 from q to p, then back along disc 2 on the side facing disc 1.
  const QRectF disc1(c1.x() - r1, c1.y() - r1, 2 * r1, 2 * r1);
  const QRectF disc2(c2.x() - r2, c2.y() - r2, 2 * r2, 2 * r2);
  const double from1 = angle(c1, q);
  m.arcMoveTo(disc1, from1);
  m.arcTo(disc1, from1, positive(angle(c1, p) - from1));
  const double from2 = angle(c2, p);
  m.arcTo(disc2, from2, positive(angle(c2, q) - from2) - 360);
  m.closeSubpath();
  return m;
}

// `path` as a tube `width` wide with round ends, for stroking as an outline.
QPainterPath tube(const QPainterPath& path, double width) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::RoundCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(path).simplified();
}

// Internet Marketing

Glyph funnel() {
  Glyph g;
  polygon(g.lines, {{3, 7}, {21, 7}, {14, 14.5}, {14, 20}, {10, 22}, {10, 14.5}});
  for (double x : {7.5, 12.0, 16.5}) circle(g.solid, x, 3, 1.3);
  return g;
}

Glyph envelope() {
  Glyph g;
  roundRect(g.lines, 2.5, 5, 19, 14, 2);
  polyline(g.lines, {{3.5, 6.3}, {12, 13}, {20.5, 6.3}});
  return g;
}

Glyph magnifier() {
  Glyph g;
  circle(g.lines, 10, 10, 6.5);
  line(g.lines, 14.8, 14.8, 21, 21);
  return g;
}

Glyph clickCursor() {
  Glyph g;
  polygon(g.lines, {{9.5, 8.5},
                    {9.5, 20.5},
                    {12.5, 17.5},
                    {14.75, 22},
                    {16.25, 21.25},
                    {14, 16.75},
                    {17.75, 16.75}});
  line(g.lines, 9.5, 2, 9.5, 4.5);
  line(g.lines, 3, 8.5, 5.5, 8.5);
  line(g.lines, 4.8, 3.8, 6.6, 5.6);
  line(g.lines, 14.2, 3.8, 12.4, 5.6);
  return g;
}

// An advert with a pointer clicking it.
Glyph adClick() {
  Glyph g;
  roundRect(g.lines, 2, 3, 20, 14, 2.5);
  polyline(g.lines, {{5.5, 13.5}, {8, 6.5}, {10.5, 13.5}});
  line(g.lines, 6.5, 11, 9.5, 11);
  g.lines.moveTo(13, 6.5);
  g.lines.lineTo(13, 13.5);
  g.lines.lineTo(14.5, 13.5);
  g.lines.cubicTo(19, 13.5, 19, 6.5, 14.5, 6.5);
  g.lines.closeSubpath();
  QPainterPath arrow;
  polygon(arrow, {{15, 12.5},
                  {15, 22.5},
                  {17.3, 20.3},
                  {18.8, 23.3},
                  {20.6, 22.4},
                  {19.1, 19.4},
                  {22.3, 19.4}});
  g.cover = tube(arrow, 3.5).united(arrow);
  g.solid = arrow;
  return g;
}

Glyph playButton() {
  Glyph g;
  roundRect(g.lines, 2.5, 4.5, 19, 15, 3.5);
  polygon(g.solid, {{9.5, 8.5}, {16, 12}, {9.5, 15.5}});
  return g;
}

Glyph server() {
  Glyph g;
  for (double y : {3.5, 13.0}) {
    roundRect(g.lines, 3.5, y, 17, 7.5, 1.8);
    circle(g.solid, 7.3, y + 3.75, 1.2);
    line(g.lines, 11.5, y + 3.75, 17, y + 3.75);
  }
  return g;
}

Glyph website() {
  Glyph g;
  roundRect(g.lines, 2.5, 3.5, 19, 17, 2);
  line(g.lines, 2.5, 8, 21.5, 8);
  circle(g.solid, 5.3, 5.75, 0.9);
  circle(g.solid, 8, 5.75, 0.9);
  roundRect(g.lines, 5.5, 11, 5.5, 6.5, 0.5);
  line(g.lines, 13.5, 12, 18.5, 12);
  line(g.lines, 13.5, 16.5, 18.5, 16.5);
  return g;
}

Glyph chainLink() {
  Glyph g;
  g.lines.addPath(capsule(8.5, 15.5, 12, 6.5, -45));
  g.lines.addPath(capsule(15.5, 8.5, 12, 6.5, -45));
  return g;
}

// Careers and Employment

Glyph page() {
  Glyph g;
  polygon(g.lines, {{5.5, 2.5}, {14, 2.5}, {18.5, 7}, {18.5, 21.5}, {5.5, 21.5}});
  polyline(g.lines, {{14, 2.5}, {14, 7}, {18.5, 7}});
  line(g.lines, 8.5, 11, 15.5, 11);
  line(g.lines, 8.5, 14.5, 15.5, 14.5);
  line(g.lines, 8.5, 18, 12.5, 18);
  return g;
}

Glyph personSearch() {
  Glyph g;
  circle(g.lines, 10, 10, 7.5);
  line(g.lines, 15.5, 15.5, 21.5, 21.5);
  bust(g.solid, 10, 5.2, 7);
  return g;
}

Glyph stepsToFlag() {
  Glyph g;
  polygon(g.lines, {{2.5, 21.5},
                    {2.5, 17},
                    {8, 17},
                    {8, 12.5},
                    {13.5, 12.5},
                    {13.5, 8},
                    {21.5, 8},
                    {21.5, 21.5}});
  line(g.lines, 17.5, 8, 17.5, 1.5);
  polygon(g.solid, {{17.5, 1.5}, {22, 3.2}, {17.5, 4.9}});
  return g;
}

Glyph laptop() {
  Glyph g;
  roundRect(g.lines, 4.5, 4.5, 15, 11, 1.5);
  polyline(g.lines, {{4.5, 15.5}, {2, 19.5}, {22, 19.5}, {19.5, 15.5}});
  return g;
}

Glyph questionBubble() {
  Glyph g;
  g.lines.addPath(bubble(QRectF(2.5, 2.5, 19, 14.5), 6, {5, 21.5}));
  g.lines.moveTo(9.6, 7.5);
  g.lines.cubicTo(9.6, 4.4, 14.4, 4.4, 14.4, 7.5);
  g.lines.cubicTo(14.4, 9.6, 12, 9.6, 12, 11.3);
  circle(g.solid, 12, 13.9, 1.2);
  return g;
}

Glyph signpost() {
  Glyph g;
  line(g.lines, 12, 2, 12, 21.5);
  polygon(g.lines, {{12, 4}, {18.5, 4}, {21, 6.75}, {18.5, 9.5}, {12, 9.5}});
  polygon(g.lines, {{12, 12}, {5.5, 12}, {3, 14.75}, {5.5, 17.5}, {12, 17.5}});
  line(g.lines, 8.5, 21.5, 15.5, 21.5);
  return g;
}

Glyph homeOffice() {
  Glyph g;
  polyline(g.lines, {{2, 11.5}, {12, 3}, {22, 11.5}});
  polyline(g.lines, {{5, 9}, {5, 21.5}, {19, 21.5}, {19, 9}});
  roundRect(g.lines, 8.5, 12, 7, 4.8, 0.8);
  line(g.lines, 7.5, 18.5, 16.5, 18.5);
  return g;
}

Glyph checklist() {
  Glyph g;
  roundRect(g.lines, 4.5, 3.5, 15, 18.5, 2);
  roundRect(g.solid, 8.5, 1.5, 7, 4, 1.2);
  for (double y : {10.5, 16.0}) {
    polyline(g.lines, {{7.3, y + 0.2}, {8.9, y + 1.8}, {11.5, y - 1.2}});
    line(g.lines, 13.5, y + 0.5, 16.5, y + 0.5);
  }
  return g;
}

// Self Improvement

Glyph clock() {
  Glyph g;
  circle(g.lines, 12, 12, 9.5);
  polyline(g.lines, {{12, 6}, {12, 12}, {16, 14.5}});
  return g;
}

Glyph target() {
  Glyph g;
  circle(g.lines, 11, 13, 8.5);
  circle(g.lines, 11, 13, 4.5);
  circle(g.solid, 11, 13, 1.6);
  line(g.lines, 11, 13, 19.5, 4.5);
  line(g.lines, 19.5, 4.5, 19.5, 1.5);
  line(g.lines, 19.5, 4.5, 22.5, 4.5);
  return g;
}

Glyph flame() {
  Glyph g;
  g.lines.moveTo(12, 2);
  g.lines.cubicTo(16.5, 6.5, 19.5, 10.5, 19.5, 14.5);
  g.lines.cubicTo(19.5, 18.6, 16.1, 21.8, 12, 21.8);
  g.lines.cubicTo(7.9, 21.8, 4.5, 18.6, 4.5, 14.5);
  g.lines.cubicTo(4.5, 11.5, 6.3, 9.3, 8, 7.5);
  g.lines.cubicTo(8.3, 9.5, 9.3, 10.8, 10.5, 11.5);
  g.lines.cubicTo(10.3, 8, 10.8, 4.5, 12, 2);
  g.lines.moveTo(12, 13);
  g.lines.cubicTo(14.2, 15, 15.2, 16.3, 15.2, 17.8);
  g.lines.cubicTo(15.2, 19.5, 13.8, 20.6, 12, 20.6);
  g.lines.cubicTo(10.2, 20.6, 8.8, 19.5, 8.8, 17.8);
  g.lines.cubicTo(8.8, 16.3, 9.8, 15, 12, 13);
  return g;
}

Glyph sprout() {
  Glyph g;
  line(g.lines, 12, 21.5, 12, 10);
  g.lines.moveTo(12, 14);
  g.lines.cubicTo(12, 9, 8.5, 6.5, 3.5, 7);
  g.lines.cubicTo(3.5, 11.5, 7, 14, 12, 14);
  g.lines.moveTo(12, 10.5);
  g.lines.cubicTo(12, 5.5, 15.5, 3, 20.5, 3.5);
  g.lines.cubicTo(20.5, 8, 17, 10.5, 12, 10.5);
  line(g.lines, 6.5, 21.5, 17.5, 21.5);
  return g;
}

Glyph leaderAndTeam() {
  Glyph g;
  bust(g.lines, 12, 2, 9.5);
  bust(g.lines, 4.5, 10.5, 7.5);
  bust(g.lines, 19.5, 10.5, 7.5);
  return g;
}

Glyph microphone() {
  Glyph g;
  roundRect(g.lines, 8.75, 2, 6.5, 12, 3.25);
  g.lines.moveTo(5.5, 10.5);
  g.lines.cubicTo(5.5, 18.5, 18.5, 18.5, 18.5, 10.5);
  line(g.lines, 12, 16.5, 12, 21.5);
  line(g.lines, 8, 21.5, 16, 21.5);
  return g;
}

Glyph lotus() {
  Glyph g;
  g.lines.moveTo(12, 4);
  g.lines.cubicTo(15.5, 7.5, 15.5, 13.5, 12, 17.5);
  g.lines.cubicTo(8.5, 13.5, 8.5, 7.5, 12, 4);
  g.lines.moveTo(12, 17.5);
  g.lines.cubicTo(7, 17.5, 3.2, 14, 2.5, 9.5);
  g.lines.cubicTo(5.5, 9.7, 8, 10.8, 9.6, 12.6);
  g.lines.moveTo(12, 17.5);
  g.lines.cubicTo(17, 17.5, 20.8, 14, 21.5, 9.5);
  g.lines.cubicTo(18.5, 9.7, 16, 10.8, 14.4, 12.6);
  g.lines.moveTo(4.5, 21);
  g.lines.cubicTo(9, 19.5, 15, 19.5, 19.5, 21);
  return g;
}

// Health and Wellness

Glyph bathroomScale() {
  Glyph g;
  roundRect(g.lines, 3, 3, 18, 18.5, 4);
  g.lines.moveTo(7.5, 11);
  g.lines.cubicTo(7.5, 5.8, 16.5, 5.8, 16.5, 11);
  g.lines.closeSubpath();
  line(g.lines, 12, 11, 14, 8);
  return g;
}

Glyph seatedPose() {
  Glyph g;
  circle(g.solid, 12, 4.5, 2.6);
  polyline(g.lines, {{4, 15.5}, {8.5, 9.5}, {15.5, 9.5}, {20, 15.5}});
  polyline(g.lines, {{9.8, 9.5}, {10.3, 15.5}});
  polyline(g.lines, {{14.2, 9.5}, {13.7, 15.5}});
  g.lines.moveTo(2.5, 18.5);
  g.lines.cubicTo(7, 15, 17, 15, 21.5, 18.5);
  g.lines.cubicTo(17, 21.5, 7, 21.5, 2.5, 18.5);
  return g;
}

Glyph helix() {
  Glyph g;
  for (double side : {1.0, -1.0}) {
    const double a = 12 - 5 * side;
    const double b = 12 + 5 * side;
    g.lines.moveTo(a, 2);
    g.lines.cubicTo(a, 7, b, 7.5, b, 12);
    g.lines.cubicTo(b, 16.5, a, 17, a, 22);
  }
  line(g.lines, 9, 4.5, 15, 4.5);
  line(g.lines, 8.5, 12, 15.5, 12);
  line(g.lines, 9, 19.5, 15, 19.5);
  return g;
}

Glyph moonAndStar() {
  Glyph g;
  g.lines.addPath(crescent({11, 13}, 8.5, {15.5, 8.5}, 7));
  line(g.lines, 19, 2.5, 19, 7.5);
  line(g.lines, 16.5, 5, 21.5, 5);
  return g;
}

Glyph leaf() {
  Glyph g;
  g.lines.moveTo(4, 20);
  g.lines.cubicTo(4, 9, 10, 3.5, 20.5, 3.5);
  g.lines.cubicTo(20.5, 14, 15, 20, 4, 20);
  line(g.lines, 2.5, 21.5, 14, 10);
  return g;
}

Glyph drop() {
  Glyph g;
  g.lines.moveTo(12, 2);
  g.lines.cubicTo(12, 2, 19, 10.5, 19, 14.8);
  g.lines.cubicTo(19, 18.7, 15.9, 21.8, 12, 21.8);
  g.lines.cubicTo(8.1, 21.8, 5, 18.7, 5, 14.8);
  g.lines.cubicTo(5, 10.5, 12, 2, 12, 2);
  g.lines.moveTo(8.6, 14.8);
  g.lines.cubicTo(8.6, 16.7, 9.6, 18, 11.2, 18.5);
  return g;
}

// A stomach below its gullet, leading into the gut.
Glyph stomach() {
  Glyph g;
  g.lines.moveTo(8, 2);
  g.lines.lineTo(8, 7);
  g.lines.cubicTo(8, 9.5, 9.5, 10.5, 11.5, 10.5);
  g.lines.cubicTo(13.5, 10.5, 14.5, 12, 13.5, 14);
  g.lines.cubicTo(12.5, 16, 9.5, 16.5, 7, 16.5);
  g.lines.cubicTo(5, 16.5, 4, 17.5, 4, 19);
  g.lines.lineTo(4, 21.5);
  g.lines.moveTo(12, 2);
  g.lines.lineTo(12, 5.5);
  g.lines.cubicTo(17, 4.5, 20.5, 7.5, 20.5, 12);
  g.lines.cubicTo(20.5, 17.5, 15.5, 21, 10.5, 21);
  g.lines.lineTo(8.5, 21);
  return g;
}

// An older walker with a cane, and a heart.
Glyph walkerWithCane() {
  Glyph g;
  circle(g.solid, 9.5, 3.8, 2.3);
  g.lines.moveTo(9.6, 7.6);
  g.lines.cubicTo(8.6, 9.5, 8.2, 11.5, 8.4, 14);
  polyline(g.lines, {{8.4, 14}, {6.2, 17.5}, {5.5, 21.5}});
  polyline(g.lines, {{8.4, 14}, {10.6, 17.5}, {11.2, 21.5}});
  polyline(g.lines, {{9.3, 9}, {11.8, 12}, {14.5, 12}});
  g.lines.moveTo(14.5, 21.5);
  g.lines.lineTo(14.5, 11.2);
  g.lines.cubicTo(14.5, 8.8, 17.5, 8.8, 17.5, 11);
  g.solid.addPath(heart(14.5, -0.8, 0.36));
  return g;
}

// Relationships

Glyph twoPeople() {
  Glyph g;
  bust(g.behind, 7, 4.5, 10.5);
  bust(g.cover, 17, 4.5, 10.5);
  g.lines = g.cover;
  return g;
}

Glyph heartOutline() {
  Glyph g;
  g.lines.addPath(heart());
  return g;
}

Glyph rings() {
  Glyph g;
  circle(g.lines, 9, 15, 5.5);
  circle(g.lines, 15, 15, 5.5);
  polygon(g.lines, {{7, 5.7}, {9, 3.3}, {11, 5.7}, {9, 8.5}});
  return g;
}

Glyph medal() {
  Glyph g;
  polyline(g.lines, {{7.5, 2}, {10.5, 9.5}});
  polyline(g.lines, {{16.5, 2}, {13.5, 9.5}});
  circle(g.lines, 12, 15.5, 6.5);
  star(g.solid, 12, 15.8, 3.6, 1.5);
  return g;
}

Glyph mirror() {
  Glyph g;
  g.lines.addEllipse(QPointF(12, 9.5), 6.5, 7.5);
  line(g.lines, 12, 17, 12, 21.5);
  line(g.lines, 8, 21.5, 16, 21.5);
  g.lines.moveTo(9, 9);
  g.lines.cubicTo(9, 7, 9.8, 5.5, 11.3, 4.9);
  return g;
}

Glyph twoBubbles() {
  Glyph g;
  g.behind = bubble(QRectF(2, 2.5, 14, 10), 4.5, {3.5, 16});
  g.cover = bubble(QRectF(8, 9, 14, 10), 14.5, {20.5, 22.5});
  g.lines = g.cover;
  for (double x : {11.5, 15.0, 18.5}) circle(g.solid, x, 14, 1.1);
  return g;
}

Glyph network() {
  Glyph g;
  const QPointF nodes[] = {{12, 4.5}, {4, 19}, {20, 19}};
  const QPointF hub(12, 13.5);
  for (int k = 0; k < 3; ++k) {
    line(g.lines, nodes[k].x(), nodes[k].y(), nodes[(k + 1) % 3].x(), nodes[(k + 1) % 3].y());
    line(g.lines, nodes[k].x(), nodes[k].y(), hub.x(), hub.y());
    circle(g.solid, nodes[k].x(), nodes[k].y(), 2.7);
  }
  circle(g.solid, hub.x(), hub.y(), 2.2);
  return g;
}

// Two hands clasped between their cuffs: the backs of both on top, the fingers of one curled
// round below.
Glyph handshake() {
  Glyph g;
  polygon(g.lines, {{0.8, 13.2}, {4.2, 9.8}, {7.3, 12.9}, {3.9, 16.3}});
  polygon(g.lines, {{23.2, 13.2}, {19.8, 9.8}, {16.7, 12.9}, {20.1, 16.3}});
  g.lines.moveTo(4.2, 9.8);
  g.lines.lineTo(8.3, 6.4);
  g.lines.cubicTo(9.4, 5.5, 10.9, 5.5, 12, 6.5);
  g.lines.cubicTo(13.1, 5.5, 14.6, 5.5, 15.7, 6.4);
  g.lines.lineTo(19.8, 9.8);
  g.lines.moveTo(12, 6.5);
  g.lines.lineTo(8.5, 10);
  g.lines.moveTo(16.7, 12.9);
  g.lines.lineTo(15.3, 14.3);
  for (int k = 0; k < 3; ++k) {
    const QPointF at(15.3 - 2.2 * k, 14.3 + 0.4 * k);
    g.lines.cubicTo(at + QPointF(0.4, 1.6), at + QPointF(-1.6, 2.2), at + QPointF(-2.2, 0.4));
  }
  g.lines.lineTo(7.3, 12.9);
  // Drawn flat for easy numbers, then raised: steeper arms fill the square better.
  g.lines = QTransform().translate(12, 12.5).scale(1, 1.4).translate(-12, -11.5).map(g.lines);
  return g;
}

// Personal Finance

Glyph risingChart() {
  Glyph g;
  polyline(g.lines, {{3, 3}, {3, 21}, {21, 21}});
  polyline(g.lines, {{6.5, 16.5}, {10.5, 12}, {13.5, 14.5}, {20, 7}});
  polyline(g.lines, {{16, 7}, {20, 7}, {20, 11}});
  return g;
}

Glyph cryptoCoin() {
  Glyph g;
  circle(g.lines, 12, 12, 10);
  g.lines.moveTo(9.5, 6.5);
  g.lines.lineTo(9.5, 17.5);
  g.lines.moveTo(8, 6.5);
  g.lines.lineTo(13, 6.5);
  g.lines.cubicTo(15.6, 6.5, 15.6, 12, 13, 12);
  g.lines.lineTo(9.5, 12);
  g.lines.moveTo(13, 12);
  g.lines.cubicTo(16.4, 12, 16.4, 17.5, 13, 17.5);
  g.lines.lineTo(8, 17.5);
  line(g.lines, 11, 4.5, 11, 6.5);
  line(g.lines, 11, 17.5, 11, 19.5);
  return g;
}

Glyph banknote() {
  Glyph g;
  roundRect(g.lines, 2, 6, 20, 12, 2);
  circle(g.lines, 12, 12, 3);
  circle(g.solid, 5.5, 9.5, 1);
  circle(g.solid, 18.5, 14.5, 1);
  return g;
}

Glyph creditCard() {
  Glyph g;
  roundRect(g.lines, 2, 5, 20, 14, 2.2);
  line(g.lines, 2, 9.5, 22, 9.5);
  roundRect(g.lines, 5, 12.5, 4.5, 3.5, 0.8);
  line(g.lines, 13, 15.5, 18.5, 15.5);
  return g;
}

Glyph pieChart() {
  Glyph g;
  const QRectF disc(2.5, 4, 17, 17);
  g.lines.moveTo(disc.center());
  g.lines.arcTo(disc, 90, 270);
  g.lines.closeSubpath();
  const QRectF slice = disc.translated(2, -2);
  g.lines.moveTo(slice.center());
  g.lines.arcTo(slice, 0, 90);
  g.lines.closeSubpath();
  return g;
}

// A sun lounger under the sun.
Glyph sunLounger() {
  Glyph g;
  circle(g.lines, 18, 5.5, 2.5);
  for (int k = 0; k < 8; ++k) {
    const double a = k * std::numbers::pi / 4;
    line(g.lines, 18 + 4.3 * std::cos(a), 5.5 + 4.3 * std::sin(a), 18 + 5.3 * std::cos(a),
         5.5 + 5.3 * std::sin(a));
  }
  polyline(g.lines, {{2.5, 11}, {7, 17.5}, {21.5, 17.5}});
  line(g.lines, 7, 17.5, 5, 21.5);
  line(g.lines, 19, 17.5, 21, 21.5);
  line(g.lines, 11.5, 17.5, 13.5, 21.5);
  return g;
}

Glyph brokenChain() {
  Glyph g;
  g.lines.addPath(capsule(7, 17, 10.5, 6.5, -45));
  g.lines.addPath(capsule(17, 7, 10.5, 6.5, -45));
  line(g.lines, 7.5, 7.5, 9.5, 9.5);
  line(g.lines, 16.5, 16.5, 14.5, 14.5);
  line(g.lines, 12, 3, 12, 5.5);
  line(g.lines, 12, 21, 12, 18.5);
  return g;
}

Glyph building() {
  Glyph g;
  polyline(g.lines, {{4, 21.5}, {4, 5.5}, {13.5, 2.5}, {13.5, 21.5}});
  polyline(g.lines, {{13.5, 10}, {20, 10}, {20, 21.5}});
  line(g.lines, 2, 21.5, 22, 21.5);
  for (double y : {8.0, 12.0, 16.0}) {
    for (double x : {6.5, 9.8}) g.solid.addRect(QRectF(x, y, 1.8, 1.8));
  }
  for (double y : {13.0, 16.5}) g.solid.addRect(QRectF(15.9, y, 1.8, 1.8));
  return g;
}

// Emblems of the niches

Glyph globe() {
  Glyph g;
  circle(g.lines, 12, 12, 9.5);
  g.lines.addEllipse(QPointF(12, 12), 4, 9.5);
  line(g.lines, 2.5, 12, 21.5, 12);
  line(g.lines, 4, 7, 20, 7);
  line(g.lines, 4, 17, 20, 17);
  return g;
}

Glyph briefcase() {
  Glyph g;
  roundRect(g.lines, 2.5, 7, 19, 13.5, 2);
  polyline(g.lines, {{8.5, 7}, {8.5, 3.5}, {15.5, 3.5}, {15.5, 7}});
  line(g.lines, 2.5, 13, 21.5, 13);
  g.cover.addRect(QRectF(10, 11, 4, 4));
  g.lines.addPath(g.cover);
  return g;
}

Glyph summitFlag() {
  Glyph g;
  polygon(g.lines, {{1.5, 21}, {9.5, 9}, {13, 14}, {15.5, 11}, {22.5, 21}});
  line(g.lines, 9.5, 9, 9.5, 2);
  polygon(g.solid, {{9.5, 2}, {15, 3.9}, {9.5, 5.8}});
  return g;
}

Glyph heartbeat() {
  Glyph g;
  g.lines.addPath(heart());
  polyline(g.lines,
           {{5, 11.5}, {8.5, 11.5}, {10, 8.5}, {12.5, 15}, {14.5, 10}, {15.5, 11.5}, {19, 11.5}});
  return g;
}

Glyph twoHearts() {
  Glyph g;
  g.behind = heart(-0.5, 0, 0.68);
  g.cover = heart(6.5, 6, 0.72);
  g.lines = g.cover;
  return g;
}

Glyph coinStack() {
  Glyph g;
  g.lines.addEllipse(QPointF(12, 5.5), 8, 3);
  line(g.lines, 4, 5.5, 4, 19);
  line(g.lines, 20, 5.5, 20, 19);
  for (double y : {10.0, 14.5, 19.0}) {
    g.lines.moveTo(4, y);
    g.lines.cubicTo(4, y + 4, 20, y + 4, 20, y);
  }
  return g;
}

// One symbol per subniche, by menu index and subniche index; both Productivity Tools
// subniches are about the same tools and share the checklist.
constexpr std::array<std::array<Drawing, kSubnicheCount>, kNicheCount> kSymbols{{
    {funnel, envelope, magnifier, adClick, playButton, server, website, chainLink},
    {page, personSearch, stepsToFlag, laptop, questionBubble, signpost, homeOffice, checklist},
    {clock, target, flame, sprout, leaderAndTeam, microphone, lotus, checklist},
    {bathroomScale, seatedPose, helix, moonAndStar, leaf, drop, stomach, walkerWithCane},
    {twoPeople, heartOutline, rings, medal, mirror, twoBubbles, network, handshake},
    {risingChart, cryptoCoin, banknote, creditCard, pieChart, sunLounger, brokenChain, building},
}};
constexpr std::array<Drawing, kNicheCount> kEmblems{globe,     briefcase, summitFlag,
                                                    heartbeat, twoHearts, coinStack};

}  // namespace

Drawing SubnicheSymbol(std::size_t menu, std::size_t subniche) {
  return kSymbols.at(menu).at(subniche);
}

Drawing NicheEmblem(std::size_t menu) {
  return kEmblems.at(menu);
}

Drawing HintSymbol() {
  return clickCursor;
}

}  // namespace veltrane::nichepictures
