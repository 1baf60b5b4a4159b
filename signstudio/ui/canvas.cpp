#include "signstudio/ui/canvas.h"

#include "signstudio/ui/sizercontrol.h"

#include <QAction>
#include <QMenu>
#include <QResizeEvent>

TCanvas::TCanvas(QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("sBoxMain"));
    setWidgetResizable(false);
    m_box = new QWidget;
    m_box->setObjectName(QStringLiteral("sBoxMainClient"));
    setWidget(m_box);
    m_screenMain = new TCanvasPanel(TCanvasPanel::ScreenPanel, QStringLiteral("pnScreenMain"), m_box);
    m_screenMain->resize(256 + 16, 128 + 16);

    m_pMenuEdit = new QMenu(this);
    m_pMenuEdit->setObjectName(QStringLiteral("pMenuEdit"));
    m_mItemDelObj = m_pMenuEdit->addAction(QStringLiteral("删除对象"));
    m_mItemDelObj->setObjectName(QStringLiteral("mItemDelObj"));
    connect(m_mItemDelObj, &QAction::triggered, this, &TCanvas::deleteRequested);
    attachMenu(m_screenMain);
    m_screenMain->show();
    updateBoxSize();
}

void TCanvas::attachMenu(TCanvasPanel *panel)
{
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panel, &QWidget::customContextMenuRequested, this, [this, panel](const QPoint &pos) {
        m_pMenuEdit->popup(panel->mapToGlobal(pos));
    });
}

TCanvasPanel *TCanvas::CreateScreenPanel(const QString &name, int width, int height)
{
    for (QObject *child : m_box->children()) {
        if (auto *w = qobject_cast<QWidget *>(child))
            w->hide();
    }
    auto *panel = new TCanvasPanel(TCanvasPanel::ScreenPanel, name, m_box);
    panel->resize(width + 16, height + 16);
    panel->show();
    CentreScreens();
    return panel;
}

void TCanvas::ResizeScreenPanel(const QString &name, int width, int height)
{
    if (TCanvasPanel *panel = Panel(name)) {
        panel->resize(width + 16, height + 16);
        CentreScreens();
    }
}

TCanvasPanel *TCanvas::CreatePagePanel(const QString &screenName, const QString &name)
{
    TCanvasPanel *screen = Panel(screenName);
    if (!screen)
        screen = m_screenMain;
    auto *panel = new TCanvasPanel(TCanvasPanel::PagePanel, name, screen);
    panel->setGeometry(7, 7, screen->width() - 16, screen->height() - 16);
    panel->show();
    panel->raise();
    return panel;
}

TCanvasPanel *TCanvas::CreateRegionPanel(const QString &pageName, const QString &name,
                                         const QRect &bounds, const QString &caption,
                                         const QColor &colour)
{
    TCanvasPanel *page = Panel(pageName);
    if (!page)
        return nullptr;
    auto *panel = new TCanvasPanel(TCanvasPanel::RegionPanel, name, page);
    panel->setGeometry(bounds);
    panel->SetColour(colour);
    panel->SetCaption(caption);
    attachMenu(panel);
    connect(panel, &TCanvasPanel::pressed, this,
            [this](TCanvasPanel *p, Qt::MouseButton b) { emit regionPressed(p->Name(), b); });
    panel->show();
    return panel;
}

TCanvasPanel *TCanvas::CreateMaterialPanel(const QString &regionName, const QString &name,
                                           const QString &imageName)
{
    TCanvasPanel *region = Panel(regionName);
    if (!region)
        return nullptr;
    auto *panel = new TCanvasPanel(TCanvasPanel::MaterialPanel, name, region);
    panel->setGeometry(region->rect());
    auto *image = new TMaterialImage(imageName, panel);
    image->setGeometry(panel->rect());
    connect(panel, &TCanvasPanel::pressed, this,
            [this](TCanvasPanel *p, Qt::MouseButton b) { emit materialPressed(p->Name(), b); });
    connect(panel, &TCanvasPanel::doubleClicked, this,
            [this](TCanvasPanel *p) { emit materialDoubleClicked(p->Name()); });
    connect(image, &TMaterialImage::pressed, this,
            [this, panel](Qt::MouseButton b) { emit materialPressed(panel->Name(), b); });
    connect(image, &TMaterialImage::doubleClicked, this,
            [this, panel] { emit materialDoubleClicked(panel->Name()); });
    image->show();
    panel->show();
    panel->raise();
    return panel;
}

void TCanvas::DestroyPanel(const QString &name)
{
    TCanvasPanel *panel = Panel(name);
    if (!panel || panel == m_screenMain)
        return;
    if (m_sizer && (m_sizer->parentWidget() == panel || panel->isAncestorOf(m_sizer)
                    || m_sizer->Target() == panel))
        RemoveSizer();
    panel->hide();
    panel->setObjectName(QString());
    panel->deleteLater();
    CentreScreens();
}

TCanvasPanel *TCanvas::Panel(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    if (name == m_screenMain->objectName())
        return m_screenMain;
    return m_box->findChild<TCanvasPanel *>(name);
}

TMaterialImage *TCanvas::ImageOf(const QString &materialPanelName) const
{
    TCanvasPanel *panel = Panel(materialPanelName);
    if (!panel)
        return nullptr;
    return panel->findChild<TMaterialImage *>(QString(), Qt::FindDirectChildrenOnly);
}

int TCanvas::BoxChildCount() const
{
    int n = 0;
    for (QObject *child : m_box->children()) {
        if (auto *p = qobject_cast<TCanvasPanel *>(child); p && !p->objectName().isEmpty())
            ++n;
    }
    return n;
}

void TCanvas::ShowCardScreen(const QString &screenName)
{
    TCanvasPanel *screen = Panel(screenName);
    if (!screen)
        return;
    if (BoxChildCount() >= 3) {
        for (QObject *child : m_box->children()) {
            if (auto *p = qobject_cast<TCanvasPanel *>(child))
                p->hide();
        }
        screen->show();
    }
    CentreScreens();
}

void TCanvas::ShowPage(const QString &pageName)
{
    if (TCanvasPanel *page = Panel(pageName)) {
        page->raise();
        page->show();
    }
}

void TCanvas::HideMaterials(const QString &regionName)
{
    if (TCanvasPanel *region = Panel(regionName)) {
        for (auto *m : region->findChildren<TCanvasPanel *>(QString(), Qt::FindDirectChildrenOnly))
            m->hide();
    }
}

void TCanvas::ShowMaterial(const QString &materialName)
{
    if (TCanvasPanel *m = Panel(materialName)) {
        m->raise();
        m->show();
    }
}

TSizerControl *TCanvas::CreateSizer(const QString &regionName)
{
    RemoveSizer();
    TCanvasPanel *region = Panel(regionName);
    if (!region)
        return nullptr;
    m_sizer = new TSizerControl(region);
    connect(m_sizer, &TSizerControl::boundsReported, this,
            [this, regionName](int mode, const QRect &bounds) {
                emit sizerReported(mode, regionName, bounds);
            });
    m_sizer->ReportCreated();
    return m_sizer;
}

void TCanvas::RemoveSizer()
{
    if (m_sizer) {
        TSizerControl *s = m_sizer;
        m_sizer = nullptr;
        s->blockSignals(true);
        s->hide();
        s->deleteLater();
    }
}

void TCanvas::updateBoxSize()
{
    QSize need = viewport()->size();
    for (QObject *child : m_box->children()) {
        if (auto *p = qobject_cast<TCanvasPanel *>(child); p && !p->isHidden())
            need = need.expandedTo(p->size());
    }
    m_box->resize(need);
}

void TCanvas::CentreScreens()
{
    updateBoxSize();
    const QSize box = viewport()->size();
    for (QObject *child : m_box->children()) {
        auto *p = qobject_cast<TCanvasPanel *>(child);
        if (!p)
            continue;
        const int left = p->width() > box.width() ? 0 : (box.width() - p->width()) / 2;
        const int top = p->height() > box.height() ? 0 : (box.height() - p->height()) / 2;
        p->move(left, top);
    }
}

void TCanvas::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    CentreScreens();
}
