#pragma once

#include <QPainter>
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
