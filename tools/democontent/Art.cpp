#include "Art.h"

#include <QPainterPathStroker>
#include <QPolygonF>
#include <QTransform>
#include <cmath>

namespace {

const QColor Ink(40, 35, 35);
const QColor White(255, 255, 255);
const QColor Pink(240, 150, 160);
const QColor Skin(250, 215, 180);
const QColor Orange(245, 150, 40);

QPainterPath Ellipse(double Cx, double Cy, double Rx, double Ry, double Degrees = 0)
{
    QPainterPath path;
    path.addEllipse(QPointF(Cx, Cy), Rx, Ry);
    if (Degrees == 0)
        return path;
    QTransform turn;
    turn.translate(Cx, Cy).rotate(Degrees).translate(-Cx, -Cy);
    return turn.map(path);
}

QPainterPath Circle(double Cx, double Cy, double R)
{
    return Ellipse(Cx, Cy, R, R);
}

QPainterPath Polygon(std::initializer_list<QPointF> Points)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(Points)));
    path.closeSubpath();
    return path;
}

QPainterPath Box(double X, double Y, double W, double H, double Round = 0)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(X, Y, W, H), Round, Round);
    return path;
}

// A line of the given width, as a filled outline.
QPainterPath Stroke(const QPainterPath &Line, double Width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(Width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(Line).simplified();
}

QPainterPath Arc(QPointF From, QPointF Control, QPointF To)
{
    QPainterPath path(From);
    path.quadTo(Control, To);
    return path;
}

// Two eyes looking the same way, with a smile under them.
void Face(Picture &P, double Cx, double Cy, double Spread, double Size)
{
    P.push_back({Circle(Cx - Spread, Cy, Size), Ink});
    P.push_back({Circle(Cx + Spread, Cy, Size), Ink});
    P.push_back({Circle(Cx - Spread + Size / 3, Cy - Size / 3, Size / 3), White});
    P.push_back({Circle(Cx + Spread + Size / 3, Cy - Size / 3, Size / 3), White});
    P.push_back({Stroke(Arc({Cx - Spread * 0.7, Cy + Size * 2.2}, {Cx, Cy + Size * 4}, {Cx + Spread * 0.7, Cy + Size * 2.2}), 2.5),
                 Ink});
}

QColor Or(const QColor &Colour, const QColor &Own)
{
    return Colour.isValid() ? Colour : Own;
}

Picture Cat(const QColor &C)
{
    Picture p;
    p.push_back({Stroke(Arc({30, -30}, {70, -40}, {55, -90}), 9), C.darker(115)});
    p.push_back({Ellipse(5, -35, 38, 30), C});
    p.push_back({Polygon({{-48, -90}, {-42, -125}, {-20, -100}}), C.darker(110)});
    p.push_back({Polygon({{0, -100}, {14, -125}, {20, -88}}), C.darker(110)});
    p.push_back({Circle(-15, -85, 32), C});
    Face(p, -15, -90, 12, 4);
    p.push_back({Polygon({{-19, -79}, {-11, -79}, {-15, -74}}), Pink});
    p.push_back({Stroke(Arc({-30, -75}, {-45, -77}, {-60, -72}), 1.5), Ink});
    p.push_back({Stroke(Arc({0, -75}, {15, -77}, {30, -72}), 1.5), Ink});
    return p;
}

Picture Dog(const QColor &C)
{
    Picture p;
    p.push_back({Stroke(Arc({40, -40}, {65, -55}, {60, -75}), 8), C.darker(115)});
    p.push_back({Ellipse(10, -35, 42, 28), C});
    p.push_back({Box(-25, -20, 12, 20, 5), C.darker(110)});
    p.push_back({Box(30, -20, 12, 20, 5), C.darker(110)});
    p.push_back({Circle(-25, -80, 30), C});
    p.push_back({Ellipse(-52, -78, 10, 24, 20), C.darker(140)});
    p.push_back({Ellipse(2, -78, 10, 24, -20), C.darker(140)});
    Face(p, -25, -86, 11, 4);
    p.push_back({Ellipse(-25, -72, 7, 5), Ink});
    return p;
}

Picture Bird(const QColor &C)
{
    Picture p;
    p.push_back({Ellipse(0, -60, 40, 28), C});
    p.push_back({Polygon({{30, -65}, {62, -72}, {62, -55}}), C.darker(120)});
    p.push_back({Ellipse(-5, -62, 22, 12, -25), C.darker(125)});
    p.push_back({Polygon({{-40, -66}, {-58, -60}, {-40, -54}}), Orange});
    p.push_back({Circle(-25, -70, 5), Ink});
    p.push_back({Circle(-23, -72, 1.7), White});
    return p;
}

Picture Fish(const QColor &C)
{
    Picture p;
    p.push_back({Polygon({{30, -50}, {62, -72}, {62, -28}}), C.darker(120)});
    p.push_back({Ellipse(0, -50, 42, 26), C});
    p.push_back({Polygon({{-5, -74}, {15, -90}, {18, -70}}), C.darker(120)});
    p.push_back({Circle(-22, -56, 6), White});
    p.push_back({Circle(-23, -56, 3.5), Ink});
    p.push_back({Stroke(Arc({-38, -42}, {-32, -38}, {-26, -42}), 2), Ink});
    return p;
}

Picture Rabbit(const QColor &C)
{
    Picture p;
    p.push_back({Ellipse(10, -35, 32, 30), C});
    p.push_back({Circle(40, -40, 10), White});
    p.push_back({Ellipse(-22, -125, 9, 30, -8), C});
    p.push_back({Ellipse(-22, -125, 4, 22, -8), Pink});
    p.push_back({Ellipse(2, -125, 9, 30, 8), C});
    p.push_back({Ellipse(2, -125, 4, 22, 8), Pink});
    p.push_back({Circle(-10, -80, 27), C});
    Face(p, -10, -85, 10, 4);
    p.push_back({Ellipse(-10, -74, 4, 3), Pink});
    return p;
}

Picture Duck(const QColor &C)
{
    Picture p;
    p.push_back({Ellipse(10, -35, 45, 28), C});
    p.push_back({Ellipse(18, -40, 25, 12, -15), C.darker(112)});
    p.push_back({Circle(-28, -78, 24), C});
    p.push_back({Ellipse(-56, -74, 16, 7), Orange});
    p.push_back({Circle(-32, -84, 4.5), Ink});
    p.push_back({Box(0, -8, 8, 8), Orange});
    p.push_back({Box(20, -8, 8, 8), Orange});
    return p;
}

Picture Apple(const QColor &C)
{
    Picture p;
    p.push_back({Stroke(Arc({0, -90}, {2, -100}, {6, -108}), 5), QColor(110, 70, 30)});
    p.push_back({Ellipse(18, -100, 16, 7, -25), QColor(70, 160, 60)});
    p.push_back({Ellipse(-16, -45, 32, 44), C});
    p.push_back({Ellipse(16, -45, 32, 44), C});
    p.push_back({Ellipse(-20, -62, 8, 14, 20), C.lighter(150)});
    return p;
}

Picture Star(const QColor &C)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? 22 : 52, a = M_PI / 2 + i * M_PI / 5;
        const QPointF point(r * std::cos(a), -55 - r * std::sin(a));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    Picture p{{star, C}};
    Face(p, 0, -58, 10, 3.5);
    return p;
}

Picture Balloon(const QColor &C)
{
    Picture p;
    p.push_back({Stroke(Arc({0, -48}, {-12, -25}, {4, 0}), 1.5), Ink});
    p.push_back({Polygon({{0, -52}, {-6, -44}, {6, -44}}), C.darker(120)});
    p.push_back({Ellipse(0, -90, 32, 40), C});
    p.push_back({Ellipse(-12, -105, 7, 13, 25), C.lighter(150)});
    return p;
}

Picture Tree(const QColor &C)
{
    Picture p;
    p.push_back({Box(-10, -50, 20, 50, 3), QColor(130, 85, 45)});
    QPainterPath crown = Circle(0, -90, 32).united(Circle(-25, -65, 24)).united(Circle(25, -65, 24));
    p.push_back({crown, C});
    p.push_back({Circle(-10, -100, 8), C.lighter(130)});
    return p;
}

Picture Flower(const QColor &C)
{
    Picture p;
    p.push_back({Stroke(Arc({0, 0}, {5, -30}, {0, -65}), 5), QColor(60, 150, 60)});
    p.push_back({Ellipse(14, -28, 14, 6, -30), QColor(60, 150, 60)});
    for (int i = 0; i < 5; ++i) {
        const double a = i * 2 * M_PI / 5;
        p.push_back({Circle(18 * std::cos(a), -85 + 18 * std::sin(a), 14), C});
    }
    p.push_back({Circle(0, -85, 11), QColor(250, 210, 50)});
    return p;
}

QPainterPath HeartShape(double Size)
{
    QPainterPath heart(QPointF(0, -Size * 0.25));
    heart.cubicTo(-Size * 0.1, -Size * 0.75, -Size, -Size * 0.7, -Size * 0.55, -Size * 0.2);
    heart.lineTo(0, 0);
    heart.lineTo(Size * 0.55, -Size * 0.2);
    heart.cubicTo(Size, -Size * 0.7, Size * 0.1, -Size * 0.75, 0, -Size * 0.25);
    heart.closeSubpath();
    return heart;
}

Picture Heart(const QColor &C)
{
    QTransform up;
    up.translate(0, -15);
    return {{up.map(HeartShape(95)), C}, {Circle(-25, -72, 8), C.lighter(140)}};
}

Picture Cloud(const QColor &C)
{
    const QPainterPath cloud =
        Circle(-30, -50, 22).united(Circle(0, -62, 30)).united(Circle(30, -50, 22)).united(Box(-52, -50, 104, 22, 11));
    return {{cloud, QColor(150, 170, 200)}, {QTransform::fromTranslate(0, -3).map(cloud), C}};
}

Picture Ball(const QColor &C)
{
    Picture p;
    const bool football = !C.isValid();
    p.push_back({Circle(0, -40, 40), football ? White : C});
    if (football) {
        QPainterPath patch;
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + i * 2 * M_PI / 5;
            const QPointF point(14 * std::cos(a), -40 + 14 * std::sin(a));
            i ? patch.lineTo(point) : patch.moveTo(point);
        }
        patch.closeSubpath();
        p.push_back({patch, Ink});
        for (int i = 0; i < 5; ++i) {
            const double a = -M_PI / 2 + i * 2 * M_PI / 5;
            p.push_back({Circle(36 * std::cos(a), -40 + 36 * std::sin(a), 8), Ink});
        }
    } else {
        p.push_back({Stroke(Arc({-40, -40}, {0, -20}, {40, -40}), 3), C.darker(140)});
        p.push_back({Ellipse(-14, -58, 9, 6, -30), C.lighter(150)});
    }
    return p;
}

Picture Cake(const QColor &C)
{
    Picture p;
    p.push_back({Box(-50, -40, 100, 40, 6), Or(C, QColor(250, 190, 210))});
    p.push_back({Box(-50, -44, 100, 10, 5), White});
    p.push_back({Box(-35, -70, 70, 28, 5), QColor(250, 230, 150)});
    p.push_back({Box(-3, -95, 6, 26), QColor(90, 150, 230)});
    p.push_back({Ellipse(0, -102, 5, 9), Orange});
    return p;
}

Picture SweetPotato(const QColor &C)
{
    Picture p;
    p.push_back({Ellipse(0, -30, 55, 24, -10), Or(C, QColor(170, 60, 80))});
    p.push_back({Ellipse(8, -32, 38, 12, -10), QColor(250, 180, 60)});
    p.push_back({Ellipse(-20, -38, 8, 3, -10), QColor(120, 40, 60)});
    return p;
}

Picture Milk(const QColor &C)
{
    Picture p;
    p.push_back({Box(-25, -90, 50, 90, 10), Or(C, White)});
    p.push_back({Box(-15, -110, 30, 24, 4), White});
    p.push_back({Box(-17, -118, 34, 10, 3), QColor(60, 120, 220)});
    p.push_back({Box(-25, -60, 50, 30), QColor(90, 160, 240)});
    p.push_back({Ellipse(0, -45, 10, 7), White});
    return p;
}

// A child: Girl has long hair and a dress.
Picture Child(bool Girl, const QColor &C)
{
    Picture p;
    const QColor clothes = Or(C, Girl ? QColor(235, 90, 120) : QColor(60, 120, 220));
    const QColor hair = Girl ? QColor(90, 50, 30) : QColor(50, 35, 25);
    if (Girl)
        p.push_back({Box(-34, -150, 68, 60, 20), hair});
    p.push_back({Box(-18, -40, 12, 40, 5), QColor(70, 70, 90)});
    p.push_back({Box(6, -40, 12, 40, 5), QColor(70, 70, 90)});
    p.push_back({Girl ? Polygon({{-22, -95}, {22, -95}, {38, -35}, {-38, -35}}) : Box(-24, -95, 48, 60, 10), clothes});
    p.push_back({Stroke(Arc({-22, -88}, {-40, -70}, {-36, -48}), 10), clothes.darker(110)});
    p.push_back({Stroke(Arc({22, -88}, {40, -70}, {36, -48}), 10), clothes.darker(110)});
    p.push_back({Circle(-36, -46, 7), Skin});
    p.push_back({Circle(36, -46, 7), Skin});
    p.push_back({Circle(0, -125, 30), Skin});
    p.push_back({Girl ? Box(-32, -158, 64, 22, 11) : Ellipse(0, -148, 31, 14), hair});
    Face(p, 0, -125, 11, 4);
    p.push_back({Circle(-19, -114, 5), QColor(250, 170, 170)});
    p.push_back({Circle(19, -114, 5), QColor(250, 170, 170)});
    return p;
}

} // namespace

Picture Draw(Prop Thing, const QColor &Colour)
{
    switch (Thing) {
    case Prop::Cat: return Cat(Or(Colour, QColor(245, 170, 70)));
    case Prop::Dog: return Dog(Or(Colour, QColor(215, 175, 120)));
    case Prop::Bird: return Bird(Or(Colour, QColor(80, 170, 240)));
    case Prop::Fish: return Fish(Or(Colour, QColor(250, 140, 40)));
    case Prop::Rabbit: return Rabbit(Or(Colour, QColor(245, 245, 245)));
    case Prop::Duck: return Duck(Or(Colour, QColor(250, 220, 60)));
    case Prop::Apple: return Apple(Or(Colour, QColor(220, 40, 40)));
    case Prop::Star: return Star(Or(Colour, QColor(250, 205, 40)));
    case Prop::Balloon: return Balloon(Or(Colour, QColor(230, 60, 80)));
    case Prop::Tree: return Tree(Or(Colour, QColor(50, 160, 70)));
    case Prop::Flower: return Flower(Or(Colour, QColor(150, 70, 200)));
    case Prop::Heart: return Heart(Or(Colour, QColor(230, 60, 90)));
    case Prop::Cloud: return Cloud(Or(Colour, White));
    case Prop::Ball: return Ball(Colour);
    case Prop::Cake: return Cake(Colour);
    case Prop::SweetPotato: return SweetPotato(Colour);
    case Prop::Milk: return Milk(Colour);
    case Prop::Boy: return Child(false, Colour);
    case Prop::Girl: return Child(true, Colour);
    }
    return {};
}

Picture SpeechBubble(int Width, int Height, bool TailLeft)
{
    const double tailX = TailLeft ? Width * 0.25 : Width * 0.75;
    QPainterPath bubble = Box(0, 0, Width, Height, 18).united(
        Polygon({{tailX - 12, Height - 2.0}, {tailX + 12, Height - 2.0}, {tailX + (TailLeft ? -18 : 18), Height + 26.0}}));
    return {{QTransform::fromTranslate(3, 3).map(bubble), QColor(0, 0, 0, 60)}, {bubble, White}};
}

Picture ButtonFace(int Width, int Height, const QColor &Colour)
{
    return {{Box(0, 3, Width, Height, Height / 2.0), Colour.darker(140)},
            {Box(0, 0, Width, Height, Height / 2.0), Colour},
            {Box(6, 3, Width - 12, Height / 2.5, Height / 5.0), Colour.lighter(125)}};
}
