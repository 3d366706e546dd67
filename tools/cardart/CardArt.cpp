#include "tools/cardart/CardArt.h"

#include "engine/CardNames.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace quillory::cardart {
namespace {

const QColor kFace(0xFD, 0xFD, 0xFA);
const QColor kEdge(0x80, 0x80, 0x84);
const QColor kRed(0xC8, 0x10, 0x2E);
const QColor kDark(0x1C, 0x1C, 0x22); // never pure black: black is the mask colour
const QColor kCourt(0xF4, 0xE9, 0xC8);
const QColor kCourtEdge(0xC9, 0xA9, 0x5C);
const QColor kFelt(0x1F, 0x5E, 0x3B);
const QColor kFeltEdge(0x14, 0x42, 0x29);

QString RankText(int rank) {
    const std::string_view label = kRankNames[static_cast<std::size_t>(rank)].label;
    return QString::fromLatin1(label.data(), static_cast<qsizetype>(label.size()));
}

bool IsRed(int suit) {
    return suit == 1 || suit == 3;
}

// A suit symbol filling the box: 0 spade, 1 heart, 2 club, 3 diamond.
QPainterPath SuitPath(int suit, const QRectF& box) {
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    switch (suit) {
    case 1: // heart
        path.moveTo(0.50, 0.95);
        path.cubicTo(0.36, 0.78, 0.02, 0.58, 0.02, 0.31);
        path.cubicTo(0.02, 0.12, 0.15, 0.03, 0.28, 0.03);
        path.cubicTo(0.40, 0.03, 0.47, 0.11, 0.50, 0.21);
        path.cubicTo(0.53, 0.11, 0.60, 0.03, 0.72, 0.03);
        path.cubicTo(0.85, 0.03, 0.98, 0.12, 0.98, 0.31);
        path.cubicTo(0.98, 0.58, 0.64, 0.78, 0.50, 0.95);
        break;
    case 0: // spade: an upturned heart on a flared stem
        path.moveTo(0.50, 0.02);
        path.cubicTo(0.64, 0.20, 0.98, 0.38, 0.98, 0.60);
        path.cubicTo(0.98, 0.76, 0.87, 0.84, 0.75, 0.84);
        path.cubicTo(0.64, 0.84, 0.57, 0.79, 0.53, 0.72);
        path.cubicTo(0.55, 0.84, 0.60, 0.93, 0.68, 0.98);
        path.lineTo(0.32, 0.98);
        path.cubicTo(0.40, 0.93, 0.45, 0.84, 0.47, 0.72);
        path.cubicTo(0.43, 0.79, 0.36, 0.84, 0.25, 0.84);
        path.cubicTo(0.13, 0.84, 0.02, 0.76, 0.02, 0.60);
        path.cubicTo(0.02, 0.38, 0.36, 0.20, 0.50, 0.02);
        break;
    case 2: // club: three leaves on a flared stem
        path.addEllipse(QPointF(0.50, 0.27), 0.23, 0.23);
        path.addEllipse(QPointF(0.25, 0.59), 0.23, 0.23);
        path.addEllipse(QPointF(0.75, 0.59), 0.23, 0.23);
        path.addEllipse(QPointF(0.50, 0.52), 0.14, 0.14);
        path.moveTo(0.47, 0.55);
        path.cubicTo(0.46, 0.78, 0.42, 0.91, 0.32, 0.98);
        path.lineTo(0.68, 0.98);
        path.cubicTo(0.58, 0.91, 0.54, 0.78, 0.53, 0.55);
        path.closeSubpath();
        break;
    default: // diamond with slightly drawn-in sides
        path.moveTo(0.50, 0.02);
        path.quadTo(0.68, 0.30, 0.92, 0.50);
        path.quadTo(0.68, 0.70, 0.50, 0.98);
        path.quadTo(0.32, 0.70, 0.08, 0.50);
        path.quadTo(0.32, 0.30, 0.50, 0.02);
        break;
    }
    QTransform toBox;
    toBox.translate(box.left(), box.top());
    toBox.scale(box.width(), box.height());
    return toBox.map(path);
}

// Text centred in a box, squeezed sideways when it is too wide ("10").
void DrawFitted(QPainter& painter, const QRectF& box, const QString& text, const QFont& font) {
    const QFontMetricsF metrics(font);
    const QRectF bounds = metrics.tightBoundingRect(text);
    const qreal squeeze = std::min<qreal>(1.0, box.width() / bounds.width());
    painter.save();
    painter.setFont(font);
    painter.translate(box.center().x(), box.center().y());
    painter.scale(squeeze, 1.0);
    painter.drawText(
        QPointF(-bounds.left() - bounds.width() / 2, -bounds.top() - bounds.height() / 2), text);
    painter.restore();
}

QFont RankFont(qreal pixelSize, bool serif) {
    QFont font(serif ? QStringLiteral("DejaVu Serif") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setBold(true);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// The corner index: rank over a small suit, in a column at the top left.
void DrawIndex(QPainter& painter, int rank, int suit, const QColor& ink) {
    painter.setPen(ink);
    DrawFitted(painter, QRectF(1.5, 2.5, 10.5, 10.0), RankText(rank), RankFont(13, false));
    painter.fillPath(SuitPath(suit, QRectF(3.5, 14.5, 6.5, 7.0)), ink);
}

void DrawCard(QPainter& painter, int rank, int suit) {
    const QColor ink = IsRed(suit) ? kRed : kDark;
    painter.setPen(QPen(kEdge, 1.0));
    painter.setBrush(kFace);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kCardWidth - 1, kCardHeight - 1), 3.5, 3.5);

    DrawIndex(painter, rank, suit, ink);
    painter.save();
    painter.translate(kCardWidth, kCardHeight);
    painter.rotate(180);
    DrawIndex(painter, rank, suit, ink);
    painter.restore();

    if (rank >= 10) {
        // Jack, queen, king: a framed court panel with the letter and the suit.
        painter.setPen(QPen(kCourtEdge, 1.0));
        painter.setBrush(kCourt);
        painter.drawRoundedRect(QRectF(13.5, 12.5, 13.0, 35.0), 2.0, 2.0);
        painter.setPen(ink);
        DrawFitted(painter, QRectF(14.0, 16.0, 12.0, 13.0), RankText(rank), RankFont(15, true));
        painter.fillPath(SuitPath(suit, QRectF(15.0, 32.0, 10.0, 11.0)), ink);
    } else {
        const qreal size = rank == 0 ? 18.0 : 15.0;
        const QRectF box(20.0 - size / 2, 30.0 - size * 0.56, size, size * 1.12);
        painter.fillPath(SuitPath(suit, box), ink);
    }
}

} // namespace

QImage DrawCardStrip(int scale) {
    QImage strip(kCards * kCardWidth * scale, kCardHeight * scale, QImage::Format_RGB32);
    strip.fill(QColor(0, 0, 0));
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (int index = 0; index < kCards; ++index) {
        painter.save();
        painter.scale(scale, scale);
        painter.translate(index * kCardWidth, 0);
        DrawCard(painter, index % 13, index / 13);
        painter.restore();
    }
    painter.end();
    // Anti-aliasing never reaches pure black inside a face, but make sure: a
    // black pixel inside a card would show through as a hole.
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x) {
            const int inCardX = (x % (kCardWidth * scale));
            const bool inside = inCardX >= 4 * scale && inCardX < (kCardWidth - 4) * scale &&
                                y >= 4 * scale && y < (kCardHeight - 4) * scale;
            if (inside && (line[x] & 0x00FFFFFFu) == 0) {
                line[x] = qRgb(1, 1, 1);
            }
        }
    }
    return strip;
}

void PaintProgramIcon(QPainter& painter, int size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    painter.setPen(QPen(kFeltEdge, 1.0));
    painter.setBrush(kFelt);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 31.0, 31.0), 6.0, 6.0);

    const QRectF card(-7.0, -10.0, 14.0, 20.0);
    const auto drawCard = [&](qreal x, qreal y, qreal angle, int suit) {
        painter.save();
        painter.translate(x, y);
        painter.rotate(angle);
        painter.setPen(QPen(kEdge, size <= 16 ? 0.0 : 0.8));
        painter.setBrush(kFace);
        painter.drawRoundedRect(card, 2.0, 2.0);
        painter.fillPath(SuitPath(suit, QRectF(-5.0, -5.5, 10.0, 11.0)),
                         IsRed(suit) ? kRed : kDark);
        painter.restore();
    };
    if (size <= 16) {
        // One large card reads better when tiny.
        painter.translate(16.0, 16.0);
        painter.scale(1.3, 1.3);
        drawCard(0.0, 0.0, 0.0, 0);
    } else {
        drawCard(12.5, 16.5, -14.0, 1);
        drawCard(19.5, 15.5, 10.0, 0);
    }
    painter.restore();
}

QImage DrawProgramIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    PaintProgramIcon(painter, size);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}

} // namespace quillory::cardart
