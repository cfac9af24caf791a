#include "ui_host/scene_box.h"

#include "ui_host/painter_node.h"

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
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

QSGNode* SceneBox::updatePaintNode(QSGNode* old, UpdatePaintNodeData*)
{
    if (width() <= 0 || height() <= 0) {
        delete old;
        return nullptr;
    }
    auto* node = static_cast<BoxNode*>(old);
    if (!node)
        node = new BoxNode(window());
    node->size = size();
    node->fill = fill;
    node->border = border;
    node->borderWidth = borderPx;
    node->radius = cornerRadius;
    node->markDirty(QSGNode::DirtyMaterial);
    return node;
}

void SceneBox::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        update();
}
