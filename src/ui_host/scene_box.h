#pragma once

#include "ui_host/painter_node.h"

#include <QColor>

// A filled box with rounded corners and an optional border, painted straight into
// the window on every repaint. A Rectangle with a radius keeps a picture of its
// corners (with its own painter state, some kilobytes each) under the software scene
// graph; this box keeps nothing. For the boxes the scene shows many of (button rows,
// colour blocks, the badges of the mouse picture). QML: `SceneBox { color; radius;
// borderColor; borderWidth }`; the border lies inside the box, as a Rectangle's, and
// a transparent border is not drawn.
class SceneBox : public PainterItem
{
    Q_OBJECT
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged)
    Q_PROPERTY(qreal borderWidth READ borderWidth WRITE setBorderWidth NOTIFY borderWidthChanged)
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)

public:
    explicit SceneBox(QQuickItem* parent = nullptr);

    QColor color() const { return fill; }
    void setColor(const QColor& c) { change(fill, c, &SceneBox::colorChanged); }
    QColor borderColor() const { return border; }
    void setBorderColor(const QColor& c) { change(border, c, &SceneBox::borderColorChanged); }
    qreal borderWidth() const { return borderPx; }
    void setBorderWidth(qreal w) { change(borderPx, w, &SceneBox::borderWidthChanged); }
    qreal radius() const { return cornerRadius; }
    void setRadius(qreal r) { change(cornerRadius, r, &SceneBox::radiusChanged); }

signals:
    void colorChanged();
    void borderColorChanged();
    void borderWidthChanged();
    void radiusChanged();

protected:
    PainterNode* createNode(QQuickWindow* window) const override;
    void sync(PainterNode* node) const override;

private:
    template <typename T>
    void change(T& field, const T& value, void (SceneBox::*changed)())
    {
        if (field == value)
            return;
        field = value;
        update();
        emit (this->*changed)();
    }

    QColor fill = Qt::white;
    QColor border = Qt::transparent;
    qreal borderPx = 1;
    qreal cornerRadius = 0;
};
