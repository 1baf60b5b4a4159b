#pragma once

#include <QFrame>
#include <QImage>

// One panel of the layout canvas: a card's screen, a page, a region or a
// material. Its objectName is the panel name the model objects refer to.
class TCanvasPanel : public QFrame
{
    Q_OBJECT
public:
    enum Kind { ScreenPanel, PagePanel, RegionPanel, MaterialPanel };

    TCanvasPanel(Kind kind, const QString &name, QWidget *parent);

    Kind PanelKind() const { return m_kind; }
    QString Name() const { return objectName(); }

    // Region panels: caption (region name) and colour number.
    void SetCaption(const QString &caption);
    QString Caption() const { return m_caption; }
    void SetColour(const QColor &colour);
    QColor Colour() const { return m_colour; }

signals:
    void pressed(TCanvasPanel *panel, Qt::MouseButton button);
    void doubleClicked(TCanvasPanel *panel);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Kind m_kind;
    QString m_caption;
    QColor m_colour;
};

// The image that fills a material panel: the material's preview or first
// picture, or a plain caption when there is none. Selection handles are drawn
// over it until the next ClearHandles.
class TMaterialImage : public QWidget
{
    Q_OBJECT
public:
    TMaterialImage(const QString &name, TCanvasPanel *panel);

    void SetImage(const QImage &image);
    QImage Image() const { return m_image; }
    void Clear();
    void SetCaption(const QString &caption);
    QString Caption() const { return m_caption; }

    void PaintHandles();
    void ClearHandles();
    bool HandlesShown() const { return m_handles; }

signals:
    void pressed(Qt::MouseButton button);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QImage m_image;
    QString m_caption;
    bool m_handles = false;
};
