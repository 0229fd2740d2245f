#include "platform/qt/WrappingLabel.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace qx {

namespace {

// Lays the text out in lines no wider than width, from the top; gives the height used.
qreal layOut(QTextLayout& layout, int width) {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y;
}

} // namespace

WrappingLabel::WrappingLabel(QWidget* parent)
    : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

int WrappingLabel::heightForWidth(int width) const {
    QTextLayout layout(text(), font());
    return int(std::ceil(layOut(layout, width)));
}

QStringList WrappingLabel::linesAt(int width) const {
    QTextLayout layout(text(), font());
    layOut(layout, width);
    QStringList lines;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        lines << text().mid(line.textStart(), line.textLength());
    }
    return lines;
}

int WrappingLabel::widestLineAt(int width) const {
    QTextLayout layout(text(), font());
    layOut(layout, width);
    qreal widest = 0;
    for (int i = 0; i < layout.lineCount(); ++i)
        widest = std::max(widest, layout.lineAt(i).naturalTextWidth());
    return int(std::ceil(widest));
}

void WrappingLabel::paintEvent(QPaintEvent*) {
    QTextLayout layout(text(), font());
    const QRect inside = contentsRect();
    layOut(layout, inside.width());
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    layout.draw(&painter, inside.topLeft());
}

} // namespace qx
