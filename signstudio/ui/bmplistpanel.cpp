#include "signstudio/ui/bmplistpanel.h"

#include "signstudio/lang/langtext.h"
#include "signstudio/model/fodder.h"
#include "signstudio/ui/canvaspanel.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QStringList kPictureMasks = {QStringLiteral("*.bmp"), QStringLiteral("*.png"),
                                   QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};

QString textOr(int kind, const char *key, const char *fallback)
{
    const QString t = LangText(kind, QLatin1String(key));
    return t.isEmpty() ? QLatin1String(fallback) : t;
}
} // namespace

TBmpListPanel::TBmpListPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("pnBmpList"));
    auto *layout = new QHBoxLayout(this);

    auto *dirBox = new QGroupBox(this);
    dirBox->setObjectName(QStringLiteral("gbDirPath"));
    auto *dirLayout = new QVBoxLayout(dirBox);
    m_cmbDri = new QComboBox(dirBox);
    m_cmbDri->setObjectName(QStringLiteral("cmbDri"));
    m_cmbDri->addItem(QDir::rootPath(), QDir::rootPath());
    m_cmbDri->addItem(QDir::homePath(), QDir::homePath());
    m_lbDir = new QListWidget(dirBox);
    m_lbDir->setObjectName(QStringLiteral("lbDir"));
    dirLayout->addWidget(m_cmbDri);
    dirLayout->addWidget(m_lbDir);
    layout->addWidget(dirBox);

    auto *fileBox = new QGroupBox(this);
    fileBox->setObjectName(QStringLiteral("gbDirFile"));
    auto *fileLayout = new QVBoxLayout(fileBox);
    m_lbFileList = new QListWidget(fileBox);
    m_lbFileList->setObjectName(QStringLiteral("lbFileList"));
    m_lbFileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    fileLayout->addWidget(m_lbFileList);
    layout->addWidget(fileBox);

    auto *options = new QGroupBox(this);
    options->setObjectName(QStringLiteral("gbOptions"));
    auto *optLayout = new QVBoxLayout(options);
    const char *names[] = {"bBtnAddSel", "bBtnAllAdd", "bBtnInsert", "bBtnDel", "bBtnClear"};
    for (const char *n : names) {
        auto *b = new QPushButton(options);
        b->setObjectName(QLatin1String(n));
        optLayout->addWidget(b);
    }
    optLayout->addStretch();
    layout->addWidget(options);

    auto *listBox = new QGroupBox(this);
    listBox->setObjectName(QStringLiteral("gbImageFileList"));
    auto *listLayout = new QVBoxLayout(listBox);
    m_lvBmpList = new QTreeWidget(listBox);
    m_lvBmpList->setObjectName(QStringLiteral("lvBmpList"));
    m_lvBmpList->setColumnCount(2);
    m_lvBmpList->setRootIsDecorated(false);
    m_lvBmpList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lvBmpList->setStyleSheet(QStringLiteral(
        "QTreeWidget::item:selected { color: white; background: palette(highlight); }"));
    listLayout->addWidget(m_lvBmpList);
    layout->addWidget(listBox, 1);

    connect(button(QStringLiteral("bBtnAddSel")), &QPushButton::clicked, this,
            &TBmpListPanel::bBtnAddSelClick);
    connect(button(QStringLiteral("bBtnAllAdd")), &QPushButton::clicked, this,
            &TBmpListPanel::bBtnAllAddClick);
    connect(button(QStringLiteral("bBtnInsert")), &QPushButton::clicked, this,
            &TBmpListPanel::bBtnInsertClick);
    connect(button(QStringLiteral("bBtnDel")), &QPushButton::clicked, this,
            &TBmpListPanel::bBtnDelClick);
    connect(button(QStringLiteral("bBtnClear")), &QPushButton::clicked, this,
            &TBmpListPanel::bBtnClearClick);
    connect(m_lbFileList, &QListWidget::itemDoubleClicked, this, &TBmpListPanel::bBtnAddSelClick);
    connect(m_cmbDri, &QComboBox::activated, this,
            [this](int i) { SetFolder(m_cmbDri->itemData(i).toString()); });
    connect(m_lbDir, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        SetFolder(QDir(m_folder).absoluteFilePath(item->text()));
    });
    connect(m_lvBmpList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item) { showFile(item->text(1)); });

    ShowMessage = [this](const QString &text) { QMessageBox::information(this, QString(), text); };
    ApplyTexts();
    SetFolder(QDir::homePath());
}

QPushButton *TBmpListPanel::button(const QString &name) const
{
    return findChild<QPushButton *>(name);
}

void TBmpListPanel::ApplyTexts()
{
    const QList<QPair<const char *, const char *>> captions = {
        {"gbDirPath", "Path"},          {"gbDirFile", "Files"},
        {"gbOptions", "Options"},       {"bBtnAddSel", "Add selected"},
        {"bBtnAllAdd", "Add all"},      {"bBtnInsert", "Insert"},
        {"gbImageFileList", "Pictures"}, {"bBtnDel", "Delete selected"},
        {"bBtnClear", "Delete all"}};
    for (const auto &c : captions) {
        const QString text = textOr(4, c.first, c.second);
        if (auto *b = findChild<QPushButton *>(QLatin1String(c.first)))
            b->setText(text);
        else if (auto *g = findChild<QGroupBox *>(QLatin1String(c.first)))
            g->setTitle(text);
    }
    m_lvBmpList->setHeaderLabels({textOr(4, "colOrderNum", "No."), textOr(4, "colFile", "File")});
}

void TBmpListPanel::SetFolder(const QString &folder)
{
    QDir dir(folder);
    if (!dir.exists())
        return;
    m_folder = dir.absolutePath();
    m_lbDir->clear();
    if (!dir.isRoot())
        m_lbDir->addItem(QStringLiteral(".."));
    m_lbDir->addItems(dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
    m_lbFileList->clear();
    m_lbFileList->addItems(dir.entryList(kPictureMasks, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QStringList TBmpListPanel::SelectedFilePaths() const
{
    QStringList out;
    const QDir dir(m_folder);
    for (int i = 0; i < m_lbFileList->count(); ++i) {
        if (m_lbFileList->item(i)->isSelected())
            out << dir.absoluteFilePath(m_lbFileList->item(i)->text());
    }
    return out;
}

QStringList TBmpListPanel::AllFilePaths() const
{
    QStringList out;
    const QDir dir(m_folder);
    for (int i = 0; i < m_lbFileList->count(); ++i)
        out << dir.absoluteFilePath(m_lbFileList->item(i)->text());
    return out;
}

void TBmpListPanel::SetMaterial(TFodder *fodder, TMaterialImage *image)
{
    m_fodder = fodder;
    m_image = image;
    refill();
}

void TBmpListPanel::refill()
{
    m_lvBmpList->clear();
    if (!m_fodder)
        return;
    for (const TFileInfo &f : m_fodder->PictureFiles)
        m_lvBmpList->addTopLevelItem(new QTreeWidgetItem({QString(), f.FileName}));
    renumber();
}

void TBmpListPanel::renumber()
{
    for (int i = 0; i < m_lvBmpList->topLevelItemCount(); ++i)
        m_lvBmpList->topLevelItem(i)->setText(0, QString::number(i + 1));
}

bool TBmpListPanel::listed(const QString &path) const
{
    for (int i = 0; i < m_lvBmpList->topLevelItemCount(); ++i) {
        if (m_lvBmpList->topLevelItem(i)->text(1) == path)
            return true;
    }
    return false;
}

bool TBmpListPanel::checkExists(const QString &path)
{
    if (QFileInfo(path).isFile())
        return true;
    // file[...]dose not exist!Please confirm!
    if (ShowMessage)
        ShowMessage(LangText(3, QStringLiteral("object_file")) + QLatin1Char('[') + path
                    + QLatin1Char(']') + LangText(3, QStringLiteral("action_not_exist"))
                    + LangText(3, QStringLiteral("action_confirm")));
    return false;
}

void TBmpListPanel::showFile(const QString &path)
{
    if (!m_image)
        return;
    QImageReader reader(path);
    const QImage img = reader.read();
    if (!img.isNull())
        m_image->SetImage(img);
}

void TBmpListPanel::AddFiles(const QStringList &paths)
{
    if (!m_fodder)
        return;
    for (const QString &path : paths) {
        if (listed(path) || !checkExists(path))
            continue;
        // A missing file is left out of both the list and PictureFiles, so
        // row positions and file positions stay the same.
        m_fodder->PictureFiles.append(TFileInfo{int(m_fodder->PictureFiles.size()) + 1, path});
        m_lvBmpList->addTopLevelItem(new QTreeWidgetItem({QString(), path}));
        showFile(path);
    }
    renumber();
}

void TBmpListPanel::InsertFiles(const QStringList &paths)
{
    if (!m_fodder)
        return;
    QTreeWidgetItem *current = m_lvBmpList->currentItem();
    if (!current || !current->isSelected()) {
        const QList<QTreeWidgetItem *> sel = m_lvBmpList->selectedItems();
        current = sel.isEmpty() ? nullptr : sel.first();
    }
    if (!current)
        return;
    for (const QString &path : paths) {
        if (listed(path) || !checkExists(path))
            continue;
        const int row = m_lvBmpList->indexOfTopLevelItem(current);
        m_fodder->PictureFiles.insert(row, TFileInfo{row + 1, path});
        auto *item = new QTreeWidgetItem({QString(), path});
        m_lvBmpList->insertTopLevelItem(row, item);
        m_lvBmpList->clearSelection();
        m_lvBmpList->setCurrentItem(item);
        item->setSelected(true);
        current = item;
        showFile(path);
    }
    renumber();
}

void TBmpListPanel::DeleteSelected()
{
    if (!m_fodder)
        return;
    for (int i = m_lvBmpList->topLevelItemCount() - 1; i >= 0; --i) {
        if (!m_lvBmpList->topLevelItem(i)->isSelected())
            continue;
        delete m_lvBmpList->takeTopLevelItem(i);
        if (i < m_fodder->PictureFiles.size())
            m_fodder->PictureFiles.removeAt(i);
    }
    if (m_image)
        m_image->Clear();
    renumber();
}

void TBmpListPanel::DeleteAll()
{
    if (!m_fodder)
        return;
    m_lvBmpList->clear();
    m_fodder->PictureFiles.clear();
    renumber();
}

void TBmpListPanel::bBtnAddSelClick()
{
    AddFiles(SelectedFilePaths());
}

void TBmpListPanel::bBtnAllAddClick()
{
    AddFiles(AllFilePaths());
}

void TBmpListPanel::bBtnInsertClick()
{
    InsertFiles(SelectedFilePaths());
}

void TBmpListPanel::bBtnDelClick()
{
    DeleteSelected();
}

void TBmpListPanel::bBtnClearClick()
{
    DeleteAll();
}
