#include "ui_host/scene_picture.h"

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
    : PainterItem(parent)
{
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

PainterNode* ScenePicture::createNode(QQuickWindow* window) const
{
    return new PictureNode(window);
}

void ScenePicture::sync(PainterNode* node) const
{
    static_cast<PictureNode*>(node)->picture = renderer;
}
