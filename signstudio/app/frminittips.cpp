#include "signstudio/app/frminittips.h"

#include "signstudio/lang/langui.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmInitTips::TfrmInitTips(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInitTips"));
    setModal(true);
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("lbTipInfo"));
    m_info->setWordWrap(true);
    m_check = new QCheckBox(this);
    m_check->setObjectName(QStringLiteral("cbCheck"));
    m_sure = new QPushButton(this);
    m_sure->setObjectName(QStringLiteral("btSure"));
    m_sure->setDefault(true);
    connect(m_sure, &QPushButton::clicked, this, &QDialog::accept);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_check);
    bottom->addStretch();
    bottom->addWidget(m_sure);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_info, 1);
    layout->addLayout(bottom);
    resize(420, 200);
}

void TfrmInitTips::showEvent(QShowEvent *event)
{
    ApplyFormTexts(this, true, true, 12, QStringLiteral("run_tips"));
    QDialog::showEvent(event);
}
