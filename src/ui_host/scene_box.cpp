#include "ui_host/scene_box.h"

#include <QPen>

#include <algorithm>

namespace {

class BoxNode : public PainterNode
{
public:
    using PainterNode::PainterNode;
    QColor fill, border;
    qreal borderWidth = 0, radius = 0;

protected:
    void paint(QPainter* painter) override
    {
        const bool framed = borderWidth > 0 && border.alpha() > 0;
        const qreal inset = framed ? borderWidth / 2 : 0;   // the border lies inside the box
        const QRectF box = QRectF(QPointF(), size).adjusted(inset, inset, -inset, -inset);
        const qreal r = std::clamp(radius - inset, qreal(0), std::min(box.width(), box.height()) / 2);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(framed ? QPen(border, borderWidth) : QPen(Qt::NoPen));
        painter->setBrush(fill);
        painter->drawRoundedRect(box, r, r);
    }
};

} // namespace

SceneBox::SceneBox(QQuickItem* parent)
    : PainterItem(parent)
{
}

PainterNode* SceneBox::createNode(QQuickWindow* window) const
{
    return new BoxNode(window);
}

void SceneBox::sync(PainterNode* node) const
{
    auto* box = static_cast<BoxNode*>(node);
    box->fill = fill;
    box->border = border;
    box->borderWidth = borderPx;
    box->radius = cornerRadius;
}
