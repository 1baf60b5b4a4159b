#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QComboBox;
class QListWidget;
class QPushButton;
class QTreeWidget;
class TFodder;
class TMaterialImage;

// The picture-list panel pnBmpList: the files of the selected picture-group
// material in play order, and beside them a place chooser (root folder or
// home), a folder list and a file list of pictures (*.bmp, and *.png, *.jpg
// too) to add from.
class TBmpListPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TBmpListPanel(QWidget *parent = nullptr);

    // The material whose PictureFiles the panel edits and its image;
    // nullptr to detach.
    void SetMaterial(TFodder *fodder, TMaterialImage *image);
    TFodder *Material() const { return m_fodder; }

    // Shows the folder in the folder and file lists.
    void SetFolder(const QString &folder);
    QString Folder() const { return m_folder; }

    // Operations of the buttons on given full paths (tests call them directly).
    void AddFiles(const QStringList &paths);
    // Inserts in front of the selected row; needs a selected row.
    void InsertFiles(const QStringList &paths);
    void DeleteSelected();
    void DeleteAll();

    // The full paths of the files selected in (or all of) the file list.
    QStringList SelectedFilePaths() const;
    QStringList AllFilePaths() const;

    // How a missing file is reported (a message box by default).
    std::function<void(const QString &)> ShowMessage;

    QComboBox *cmbDri() const { return m_cmbDri; }
    QListWidget *lbDir() const { return m_lbDir; }
    QListWidget *lbFileList() const { return m_lbFileList; }
    QTreeWidget *lvBmpList() const { return m_lvBmpList; }
    QPushButton *button(const QString &name) const;

    // Re-captions from the current language (picture-group texts).
    void ApplyTexts();

public slots:
    void bBtnAddSelClick();
    void bBtnAllAddClick();
    void bBtnInsertClick();
    void bBtnDelClick();
    void bBtnClearClick();

private:
    void refill();
    void renumber();
    void showFile(const QString &path);
    bool listed(const QString &path) const;
    bool checkExists(const QString &path);

    TFodder *m_fodder = nullptr;
    TMaterialImage *m_image = nullptr;
    QString m_folder;
    QComboBox *m_cmbDri = nullptr;
    QListWidget *m_lbDir = nullptr;
    QListWidget *m_lbFileList = nullptr;
    QTreeWidget *m_lvBmpList = nullptr;
};
