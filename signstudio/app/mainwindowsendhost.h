#pragma once

// The main window as a send host: settings from its SetCfg.ini values,
// status panel 4, the progress bar of panel 5, the card nodes of its object
// tree. Header only: the code that plugs the card links into the window
// (its TCommLinkSeam) includes it; the send library itself stays below the
// widgets.

#include "common/base/commatext.h"
#include "signstudio/app/frmmain.h"
#include "signstudio/comm/send/sendhost.h"
#include "signstudio/ui/bmplistpanel.h"
#include "signstudio/ui/canvas.h"
#include "signstudio/ui/objectcontroller.h"
#include "signstudio/ui/propertygrid.h"
#include "signstudio/ui/objecttree.h"

#include <QProgressBar>
#include <QTreeWidgetItem>

class MainWindowSendHost : public SendHost
{
public:
    explicit MainWindowSendHost(TfrmMain &window) : m_window(window) {}

    int NetDelayTime() const override { return m_window.Settings().NetDelayTime; }
    bool IsSendAll() const override { return m_window.Settings().IsSendAll; }
    QString GroupName() const override { return JoinCommaText(m_window.Settings().GroupNames); }
    bool Rs485Mode() const override { return m_window.Settings().Is485Mode(); }

    void ShowTip(const QString &text) override { m_window.ShowTip(text); }
    void ShowMessageBox(const QString &text) override { m_window.ShowMessage(text); }

    void SetProgressMaximum(int maximum) override
    {
        if (QProgressBar *bar = m_window.SendProgress())
            bar->setMaximum(qMax(1, maximum));
    }
    void SetProgressPosition(int position) override
    {
        if (QProgressBar *bar = m_window.SendProgress())
            bar->setValue(position);
    }
    void SetProgressVisible(bool visible) override
    {
        if (QProgressBar *bar = m_window.SendProgress())
            bar->setVisible(visible);
    }

    int CardNodeCount() const override { return tree() ? tree()->topLevelItemCount() : 0; }
    QString CardNodeText(int node) const override
    {
        const QTreeWidgetItem *item = tree() ? tree()->topLevelItem(node) : nullptr;
        return item ? item->text(0) : QString();
    }
    int CardNodeImage(int node) const override
    {
        const QTreeWidgetItem *item = tree() ? tree()->topLevelItem(node) : nullptr;
        return item ? TObjectTree::StateImage(item) : 0;
    }
    void SetCardNodeImage(int node, int image) override
    {
        if (QTreeWidgetItem *item = tree() ? tree()->topLevelItem(node) : nullptr)
            TObjectTree::SetStateImage(item, image);
    }
    int SelectedCardNode() const override
    {
        const TSelection &s = m_window.Selection();
        QString name = s.cardName;
        if (name.isEmpty() && s.page)
            name = s.page->CardName;
        if (name.isEmpty() && s.region)
            name = s.region->CardName;
        if (name.isEmpty() && s.fodder)
            name = s.fodder->CardName;
        if (s.level == TSelection::None || name.isEmpty())
            return -1;
        for (int i = 0; i < CardNodeCount(); ++i) {
            if (CardNodeText(i).trimmed() == name.trimmed())
                return i;
        }
        return -1;
    }

private:
    TObjectTree *tree() const { return m_window.ObjectViews() ? m_window.ObjectViews()->Tree() : nullptr; }

    TfrmMain &m_window;
};
