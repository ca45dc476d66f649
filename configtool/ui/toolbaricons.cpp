#include "configtool/ui/toolbaricons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace configtool {

namespace {

const QColor ink(40, 60, 90);
const QColor blue(45, 110, 200);
const QColor green(40, 150, 80);
const QColor orange(230, 130, 30);

void drawConnect(QPainter &p)
{
    // Two plug halves about to meet.
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(3, 11, 11, 10), 2, 2);
    p.drawRoundedRect(QRectF(18, 11, 11, 10), 2, 2);
    p.setPen(QPen(ink, 2));
    p.drawLines({QLineF(14, 14, 17, 14), QLineF(14, 18, 17, 18), QLineF(0, 16, 3, 16), QLineF(29, 16, 32, 16)});
}

void drawSelect(QPainter &p)
{
    // Eight inputs, one of them picked.
    for (int i = 0; i < 8; ++i) {
        const QRectF cell(3 + (i % 4) * 7, 7 + (i / 4) * 10, 5, 7);
        p.setBrush(i == 2 ? orange : QColor(220, 225, 235));
        p.drawRect(cell);
    }
    p.setPen(QPen(ink, 2));
    p.drawLine(QPointF(19, 29), QPointF(19, 25));
}

void drawRead(QPainter &p)
{
    // A dial gauge.
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(QPen(ink, 1.5));
    for (int i = 0; i < 12; ++i) {
        p.save();
        p.translate(16, 16);
        p.rotate(i * 30);
        p.drawLine(QPointF(0, -12), QPointF(0, -10));
        p.restore();
    }
    p.setPen(QPen(orange, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 16), QPointF(23, 9));
    p.setBrush(ink);
    p.drawEllipse(QPointF(16, 16), 2, 2);
}

void drawSerial(QPainter &p)
{
    // A label tag with a number sign.
    QPainterPath tag;
    tag.moveTo(4, 9);
    tag.lineTo(22, 9);
    tag.lineTo(29, 16);
    tag.lineTo(22, 23);
    tag.lineTo(4, 23);
    tag.closeSubpath();
    p.setBrush(QColor(250, 235, 170));
    p.drawPath(tag);
    p.setPen(QPen(ink, 1.6));
    p.drawLines({QLineF(10, 12, 9, 20), QLineF(14, 12, 13, 20), QLineF(7, 14.5, 17, 14.5),
                 QLineF(6.5, 17.5, 16.5, 17.5)});
}

void drawCable(QPainter &p)
{
    // A cable with a connector and a small gear.
    p.setPen(QPen(ink, 2.5, Qt::SolidLine, Qt::RoundCap));
    QPainterPath cable;
    cable.moveTo(3, 28);
    cable.cubicTo(8, 14, 14, 26, 17, 14);
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
    p.setPen(QPen(ink, 1));
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(14, 5, 7, 10), 1.5, 1.5);
    p.setBrush(green);
    p.save();
    p.translate(25, 22);
    for (int i = 0; i < 6; ++i) {
        p.drawRect(QRectF(-1.5, -7, 3, 3));
        p.rotate(60);
    }
    p.drawEllipse(QPointF(0, 0), 4.5, 4.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), 1.6, 1.6);
    p.restore();
}

void drawRetro(QPainter &p)
{
    // An arrow turning back towards the multiplexer.
    p.setPen(QPen(green, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(7, 6, 20, 20), 90 * 16, -270 * 16);
    p.setPen(QPen(ink, 1));
    p.setBrush(green);
    QPolygonF head({QPointF(4, 6), QPointF(13, 1), QPointF(13, 11)});
    p.drawPolygon(head);
}

} // namespace

QIcon toolBarIcon(ToolBarIcon which)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1));
    switch (which) {
    case ToolBarIcon::Connect: drawConnect(p); break;
    case ToolBarIcon::SelectInstrument: drawSelect(p); break;
    case ToolBarIcon::ReadInstrument: drawRead(p); break;
    case ToolBarIcon::SerialNumber: drawSerial(p); break;
    case ToolBarIcon::CableConfiguration: drawCable(p); break;
    case ToolBarIcon::RetroCommand: drawRetro(p); break;
    }
    p.end();
    return QIcon(pixmap);
}

} // namespace configtool
