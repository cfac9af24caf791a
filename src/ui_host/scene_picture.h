#pragma once

#include "ui_host/painter_node.h"

#include <QUrl>

#include <memory>

class QSvgRenderer;

// An SVG picture of the scene drawn straight into the window each time its area is
// repainted, holding no image of itself. For the large pictures (the mouse, the
// start-up picture): as an Image each would hold its pixels, hundreds of kilobytes.
// It draws with the software scene graph only (the one the app uses); under another
// it shows nothing. QML: `ScenePicture { source: "…svg" }`, sized like an Image
// (implicitly the SVG's own size). A relative source is resolved in the context the
// item belongs to; the root item of a component file belongs to the file that uses
// the component, so there it is written Qt.resolvedUrl("…svg").
class ScenePicture : public PainterItem
{
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged)

public:
    explicit ScenePicture(QQuickItem* parent = nullptr);
    ~ScenePicture() override;

    QUrl source() const { return sourceUrl; }
    void setSource(const QUrl& url);

signals:
    void sourceChanged();

protected:
    void componentComplete() override;
    bool empty() const override { return !renderer; }
    PainterNode* createNode(QQuickWindow* window) const override;
    void sync(PainterNode* node) const override;

private:
    void load();

    QUrl sourceUrl;
    std::shared_ptr<QSvgRenderer> renderer;   // shared with the node that draws it
};
