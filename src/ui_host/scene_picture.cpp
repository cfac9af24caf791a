#include "ui_host/scene_picture.h"

#include "ui_host/painter_node.h"

#include <QDebug>
#include <QQmlContext>
#include <QQmlFile>
#include <QSvgRenderer>

namespace {

class PictureNode : public PainterNode
{
public:
    using PainterNode::PainterNode;
    std::shared_ptr<QSvgRenderer> picture;

protected:
    void paint(QPainter* painter) override
    {
        if (picture)
            picture->render(painter, QRectF(QPointF(), size));
    }
};

} // namespace

ScenePicture::ScenePicture(QQuickItem* parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

ScenePicture::~ScenePicture() = default;

void ScenePicture::setSource(const QUrl& url)
{
    if (url == sourceUrl)
        return;
    sourceUrl = url;
    if (isComponentComplete())
        load();
    emit sourceChanged();
}

void ScenePicture::componentComplete()
{
    QQuickItem::componentComplete();
    load();
}

void ScenePicture::load()
{
    renderer.reset();
    if (!sourceUrl.isEmpty()) {
        // Relative to the file that declares the picture, as an Image's source.
        const QQmlContext* context = qmlContext(this);
        const QUrl url = context ? context->resolvedUrl(sourceUrl) : sourceUrl;
        auto loaded = std::make_shared<QSvgRenderer>(QQmlFile::urlToLocalFileOrQrc(url));
        if (loaded->isValid()) {
            renderer = std::move(loaded);
            setImplicitSize(renderer->defaultSize().width(), renderer->defaultSize().height());
        } else {
            qDebug() << "scene picture:" << url.toString() << "is no readable SVG picture; nothing is drawn";
        }
    }
    update();
}

QSGNode* ScenePicture::updatePaintNode(QSGNode* old, UpdatePaintNodeData*)
{
    if (!renderer || width() <= 0 || height() <= 0) {
        delete old;
        return nullptr;
    }
    auto* node = static_cast<PictureNode*>(old);
    if (!node)
        node = new PictureNode(window());
    node->picture = renderer;
    node->size = size();
    node->markDirty(QSGNode::DirtyMaterial);
    return node;
}

void ScenePicture::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry)
{
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        update();
}
