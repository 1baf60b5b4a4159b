#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

// The start-up tips window: a short note for the operator and a check box
// to stop showing it.
class TfrmInitTips : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmInitTips(QWidget *parent = nullptr);

    QCheckBox *cbCheck() const { return m_check; }
    QLabel *lbTipInfo() const { return m_info; }
    QPushButton *btSure() const { return m_sure; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_info = nullptr;
    QCheckBox *m_check = nullptr;
    QPushButton *m_sure = nullptr;
};
