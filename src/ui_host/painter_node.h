#pragma once

#include <QPainter>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRenderNode>
#include <QSGRendererInterface>

// A scene graph node that paints with the software scene graph's painter straight
// into the window, clipped to the area being repainted, in its item's coordinates and
// opacity. Under another scene graph it paints nothing.
class PainterNode : public QSGRenderNode
{
public:
    explicit PainterNode(QQuickWindow* window) : window(window) {}

    void render(const RenderState* state) override
    {
        auto* painter = static_cast<QPainter*>(
            window->rendererInterface()->getResource(window, QSGRendererInterface::PainterResource));
        if (!painter)
            return;
        const QRegion* clip = state->clipRegion();
        if (clip && !clip->isEmpty())
            painter->setClipRegion(*clip, Qt::ReplaceClip);   // before the transform: in window coordinates
        painter->setTransform(matrix()->toTransform());
        painter->setOpacity(inheritedOpacity());
        paint(painter);
    }
    RenderingFlags flags() const override { return BoundedRectRendering; }
    QRectF rect() const override { return QRectF(QPointF(), size); }

    QSizeF size;

protected:
    virtual void paint(QPainter* painter) = 0;

private:
    QQuickWindow* const window;
};

// An item of the scene drawn by a PainterNode: keeps the node's size with its own
// and repaints when it changes. A subclass makes its node and hands its state over.
class PainterItem : public QQuickItem
{
public:
    explicit PainterItem(QQuickItem* parent) : QQuickItem(parent) { setFlag(ItemHasContents); }

protected:
    // True while there is nothing to draw (no node at all).
    virtual bool empty() const { return false; }
    virtual PainterNode* createNode(QQuickWindow* window) const = 0;
    // Copies what the node draws from; on the scene graph's turn, the item blocked.
    virtual void sync(PainterNode* node) const = 0;

    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData*) final
    {
        if (empty() || width() <= 0 || height() <= 0) {
            delete old;
            return nullptr;
        }
        auto* node = static_cast<PainterNode*>(old);
        if (!node)
            node = createNode(window());
        node->size = size();
        sync(node);
        node->markDirty(QSGNode::DirtyMaterial);
        return node;
    }
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override
    {
        QQuickItem::geometryChange(newGeometry, oldGeometry);
        if (newGeometry.size() != oldGeometry.size())
            update();
    }
};
