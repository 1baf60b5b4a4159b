#pragma once

#include "common/base/inifile.h"
#include "common/net/adapterinfo.h"
#include "signstudio/app/actionenabling.h"
#include "signstudio/app/appsettings.h"
#include "signstudio/app/debuglog.h"
#include "signstudio/app/outsideprograms.h"
#include "signstudio/model/modelui.h"
#include "signstudio/model/playbillfiles.h"
#include "signstudio/model/project.h"

#include <QHash>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QToolBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TCommLinkSeam;
class TfrmInitTips;
class TfrmMulNetCardChoice;

// The main window of signstudio: settings at start and exit, the card list,
// every command with its enabling rules, and the seams to the tree, the
// property grid, the canvas and the card links.
class TfrmMain : public QMainWindow, public TModelUi
{
    Q_OBJECT
public:
    // What the window takes from its surroundings; tests replace the parts
    // that would block, start programs or depend on the machine.
    struct Environment {
        QString programFolder;                 // ends with '/'; default ProgramFolder()
        bool interactive = true;               // false: never opens a modal dialog
        std::function<AdapterListResult()> adapters;
        std::function<QString()> hostAddress;
        std::function<int(QDialog *)> execDialog;
        // Yes/No/Cancel and Yes/No questions and message boxes.
        std::function<QMessageBox::StandardButton(const QString &text, QMessageBox::StandardButtons)> ask;
        std::function<void(const QString &text)> message;
        std::function<QString(const QString &title, const QString &folder)> saveFileName;
        std::function<QString(const QString &folder)> openFileName;
        TOutsidePrograms::Starter startProgram;
        static Environment FromProcess();
    };

    explicit TfrmMain(QWidget *parent = nullptr);
    explicit TfrmMain(Environment env, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // --- seams ---
    // The card links; the window does not own it. nullptr restores the
    // null link.
    void SetCommLink(TCommLinkSeam *link);
    TCommLinkSeam *CommLink() const { return m_link; }

    // --- state other parts use ---
    QString Version() const { return m_version; }
    QString ProgramFolderPath() const { return m_folder; }
    QStringList DataFolders() const { return m_dataFolders; }
    TAppSettings &Settings() { return m_settings; }
    IniFile &SettingsFile() { return m_ini; }
    TProject &Project() { return m_project; }
    TPlaybillFiles &Files() { return m_files; }
    const TSelection &Selection() const { return m_selection; }
    QAction *Action(const QString &name) const { return m_actions.value(name); }
    QList<QAction *> Actions() const { return m_actionOrder; }
    QMenu *pMenuObject() const { return m_pMenuObject; }
    QMenu *pMenuEdit() const { return m_pMenuEdit; }
    QAction *PopupItem(const QString &actionName) const { return m_popupItems.value(actionName); }
    QMenu *FileMenu() const { return m_fileMenu; }
    QProgressBar *SendProgress() const { return m_progress; }
    QLabel *StatusPanel(int index) const;
    QString StatusText(int index) const;
    void SetStatusText(int index, const QString &text);
    // Status-bar panel 4: tips and warnings of all commands.
    void ShowTip(const QString &text) { SetStatusText(4, text); }

    // --- operations of the main window ---
    // Selects and applies a language (0, 1, 2) and checks its menu item.
    void SetLanguage(int language);
    void LoadCards();
    void SaveSettings();
    void DebugLog(const QString &text) const { m_debugLog.Log(text); }
    void AddRecentFileEntry(const QString &path);
    // The tree's selection changed: pop-up items first, then the actions.
    void SelectionChanged(const TSelection &selection);
    void EnableActions(ActionEnabling::State state, bool queueAllowed,
                       const ActionEnabling::CardCapabilities &caps);
    void EnablePopup(ActionEnabling::Selection selection, bool treeEmpty);
    // Deletes the object selected in the tree (the canvas pop-up menu).
    void DeleteSelectedObject();
    // The search button's caption is black with search on, silver with it off.
    void UpdateSearchButton();
    // The network-card choice dialog, made once and reused (the parameter
    // window shows it too).
    TfrmMulNetCardChoice *NetCardChoice() const { return m_netCardChoice; }
    // The first-show steps; runs once, from the first show event.
    void FirstShow();
    bool FirstShowDone() const { return m_firstShowDone; }

    // TModelUi
    bool AskYesNo(const QString &key) override;
    QString AskSaveFileName(const QString &title, const QString &folder) override;
    QString AskOpenFileName(const QString &folder) override;
    void ShowMessage(const QString &text) override;

    // --- the object tree, property grid, canvas and picture list ---
    QWidget *tvObject() const { return m_tvObject; }
    QWidget *vLEditor() const { return m_vLEditor; }
    QWidget *sBoxMain() const { return m_sBoxMain; }
    QWidget *pnBmpList() const { return m_pnBmpList; }
    QToolButton *sBtnUp() const { return m_sBtnUp; }
    // The controller of the tree, grid, canvas and picture list.
    class TObjectController *ObjectViews() const { return m_objects; }
    QToolButton *sBtnDown() const { return m_sBtnDown; }

signals:
    // After every language switch (the tree re-selects its node, the grid
    // rebuilds its rows).
    void languageChanged(int language);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void create();
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void createCentralArea();
    void createObjectViews(); // the four object views and their controller
    void createPopupMenus();
    void applyLanguageToWindow();
    void applyTitleFile();
    void loadAppIcon();
    void startLink();
    void chooseNetworkCard();
    void showTips();

    QAction *addAction(const QString &name, const QString &english);
    void connectCommands();
    void recentFileTriggered(const QString &path);
    void insertRecentSeparator();
    void refreshEnabling();
    QList<StoredCard> cardsForSaving() const;

    // the object tree
    void treeAddCard(TFIXModem *card); // root node (state image 1) and screen panel
    bool treeIsEmpty() const;

    // commands
    void newCard();
    void deleteCard();
    void addPage();
    void deletePage();
    void addRegion();
    void deleteRegion();
    void addMaterial(int kind);
    void deleteMaterial();
    void newPlaybill();
    void openPlaybill();
    void savePlaybills();
    void savePlaybillAs();
    void showAbout();

    Environment m_env;
    QString m_version = QStringLiteral("V2.23");
    QString m_folder;
    IniFile m_ini;
    TAppSettings m_settings;
    TDebugLog m_debugLog;
    QStringList m_dataFolders;
    TOutsidePrograms m_programs;
    std::unique_ptr<TCommLinkSeam> m_nullLink;
    TCommLinkSeam *m_link = nullptr;

    TProject m_project;
    TPlaybillFiles m_files;
    TSelection m_selection;
    QString m_currentScreenPanel = QStringLiteral("pnScreenMain");

    QHash<QString, QAction *> m_actions;
    QList<QAction *> m_actionOrder;
    QActionGroup *m_languageGroup = nullptr;
    QMenu *m_fileMenu = nullptr;
    QList<QAction *> m_recentEntries;
    QAction *m_recentSeparator = nullptr;
    QMenu *m_pMenuObject = nullptr;
    QMenu *m_pMenuEdit = nullptr;
    QHash<QString, QAction *> m_popupItems;
    QList<QToolBar *> m_toolBars;
    TfrmMulNetCardChoice *m_netCardChoice = nullptr;

    QWidget *m_pnObjectList = nullptr;
    QLabel *m_pnObjectListCaption = nullptr;
    QPushButton *m_bBtnSearch = nullptr;
    QToolButton *m_sBtnUp = nullptr;
    QToolButton *m_sBtnDown = nullptr;
    QCheckBox *m_cbAllCard = nullptr;
    QPushButton *m_bBtnSendPrg = nullptr;
    QLabel *m_pnAttrTitle = nullptr;
    QLabel *m_lbStopTime = nullptr;
    QWidget *m_tvObject = nullptr;
    QTreeWidget *m_tree = nullptr; // the object tree (TObjectTree)
    class TObjectController *m_objects = nullptr;
    QWidget *m_vLEditor = nullptr;
    QWidget *m_sBoxMain = nullptr;
    QWidget *m_pnBmpList = nullptr;
    QList<QLabel *> m_statusPanels;
    QProgressBar *m_progress = nullptr;

    bool m_firstShowDone = false;
    bool m_settingsSaved = false;
};
