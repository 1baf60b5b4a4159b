#pragma once

#include "signstudio/ui/canvaspanel.h"
#include "signstudio/ui/sizercontrol.h"

#include <QPointer>
#include <QScrollArea>

class QAction;
class QMenu;

// The layout canvas sBoxMain: one black screen panel per card holding its
// page panels, each page holding its coloured region panels, each region
// its material panels with their images. Panels are found by name; the
// model objects name them.
class TCanvas : public QScrollArea
{
    Q_OBJECT
public:
    explicit TCanvas(QWidget *parent = nullptr);

    // The designed panel, the current screen panel until the first card.
    TCanvasPanel *ScreenMain() const { return m_screenMain; }
    QWidget *Box() const { return m_box; }

    TCanvasPanel *CreateScreenPanel(const QString &name, int width, int height);
    // The card's screen changed size: the panel becomes width + 16 by
    // height + 16 and is centred again.
    void ResizeScreenPanel(const QString &name, int width, int height);
    TCanvasPanel *CreatePagePanel(const QString &screenName, const QString &name);
    TCanvasPanel *CreateRegionPanel(const QString &pageName, const QString &name,
                                    const QRect &bounds, const QString &caption,
                                    const QColor &colour);
    TCanvasPanel *CreateMaterialPanel(const QString &regionName, const QString &name,
                                      const QString &imageName);
    // Destroys the panel with everything inside it; unknown names are ignored.
    void DestroyPanel(const QString &name);

    TCanvasPanel *Panel(const QString &name) const;
    TMaterialImage *ImageOf(const QString &materialPanelName) const;
    // The screen panels and the designed panel in the box.
    int BoxChildCount() const;

    // Visibility when selecting: the card's screen (with two cards or more
    // only the current one shows), a page in front, a region's materials
    // hidden, a material in front.
    void ShowCardScreen(const QString &screenName);
    void ShowPage(const QString &pageName);
    void HideMaterials(const QString &regionName);
    void ShowMaterial(const QString &materialName);

    // The sizer over a region panel (at most one); nullptr when none.
    TSizerControl *CreateSizer(const QString &regionName);
    TSizerControl *Sizer() const { return m_sizer; }
    void RemoveSizer();

    // Centres every screen panel in the box.
    void CentreScreens();

    QMenu *pMenuEdit() const { return m_pMenuEdit; }
    QAction *mItemDelObj() const { return m_mItemDelObj; }

signals:
    void regionPressed(const QString &name, Qt::MouseButton button);
    void materialPressed(const QString &name, Qt::MouseButton button);
    void materialDoubleClicked(const QString &name);
    // The sizer reported bounds (TSizerControl::ReportMode) of the region panel.
    void sizerReported(int mode, const QString &regionName, const QRect &bounds);
    // mItemDelObj of the canvas pop-up menu.
    void deleteRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void attachMenu(TCanvasPanel *panel);
    void updateBoxSize();

    QWidget *m_box = nullptr;
    TCanvasPanel *m_screenMain = nullptr;
    QMenu *m_pMenuEdit = nullptr;
    QAction *m_mItemDelObj = nullptr;
    QPointer<TSizerControl> m_sizer;
};
