#include "signstudio/app/frmmain.h"

#include "common/base/programfolder.h"
#include "common/widgets/frmmulnetcardchoice.h"
#include "signstudio/app/commlinkseam.h"
#include "signstudio/app/frminittips.h"
#include "signstudio/app/startupsteps.h"
#include "signstudio/lang/langdata.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/lang/langui.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/ui/bmplistpanel.h"
#include "signstudio/ui/canvas.h"
#include "signstudio/ui/objectcontroller.h"
#include "signstudio/ui/objecttree.h"
#include "signstudio/ui/propertygrid.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

void TNullCommLink::unavailable()
{
    if (m_window)
        m_window->ShowTip(QStringLiteral("No card link is available."));
}

namespace {

// Action hints show the caption without its accelerator marks.
QString withoutAccelerator(QString text)
{
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    return text;
}

// A caption from a language table onto whatever the named component is.
void setCaption(QObject *target, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(target))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(target))
        button->setText(text);
    else if (auto *box = qobject_cast<QGroupBox *>(target))
        box->setTitle(text);
}

// Add-material actions and the material kind each adds.
struct MaterialAction {
    const char *name;
    const char *english;
    int kind;
};
constexpr MaterialAction MaterialActions[] = {
    {"actSglTxt", "Single Text", 0},  {"actMulText", "Multi Text", 1},   {"actDateTime", "Time", 4},
    {"actAddTime", "Is Time", 7},     {"actDelTime", "Count Down", 8},   {"actTable", "Table", 3},
    {"actPicture", "Image", 2},       {"actMovie", "Movie", 11},         {"actInnerInfo", "Code", 9},
    {"actCallNo", "Queue", 6},        {"actCollectData", "Collection", 10}, {"actTxtSet", "Remote Text", 5},
};

const int PanelWidths[6] = {80, 120, 70, 190, 280, 400};

} // namespace

TfrmMain::Environment TfrmMain::Environment::FromProcess()
{
    Environment env;
    env.programFolder = ProgramFolder();
    env.interactive = !qEnvironmentVariableIsSet("SIGN_NONINTERACTIVE");
    return env;
}

TfrmMain::TfrmMain(QWidget *parent)
    : TfrmMain(Environment::FromProcess(), parent)
{
}

TfrmMain::TfrmMain(Environment env, QWidget *parent)
    : QMainWindow(parent)
    , m_env(std::move(env))
    , m_programs(m_env.startProgram)
    , m_files(m_project, *this)
{
    if (m_env.programFolder.isEmpty())
        m_env.programFolder = ProgramFolder();
    if (!m_env.programFolder.endsWith(QLatin1Char('/')))
        m_env.programFolder += QLatin1Char('/');
    if (!m_env.adapters)
        m_env.adapters = [] { return AdapterList(); };
    if (!m_env.hostAddress)
        m_env.hostAddress = [] { return HostAddress(); };
    if (!m_env.execDialog)
        m_env.execDialog = [](QDialog *dlg) { return dlg->exec(); };
    m_folder = m_env.programFolder;
    m_nullLink = std::make_unique<TNullCommLink>();
    m_link = m_nullLink.get();
    m_link->Attach(this);
    create();
}

TfrmMain::~TfrmMain()
{
    // Destruction: the settings file, then the serial port.
    SaveSettings();
    if (m_link)
        m_link->CloseSerial();
    m_project.SetObserver(nullptr);
}

void TfrmMain::SetCommLink(TCommLinkSeam *link)
{
    m_link = link ? link : m_nullLink.get();
    m_link->Attach(this);
}

// ---------------------------------------------------------------- creation

void TfrmMain::create()
{
    // 1. Version and designed caption.
    setObjectName(QStringLiteral("frmMain"));
    SetProgramVersion(m_version);
    setWindowTitle(QStringLiteral("TARVO Edit Softwear ") + m_version);

    // 2. Trace off unless asked for; indexes cleared; designed screen panel.
    m_debugLog = TDebugLog(m_folder);
    m_debugLog.SetEnabled(TDebugLog::EnabledByEnvironment());
    m_project.SetProgramFolder(m_folder);
    m_project.SetTextSource([](const QString &key) { return LangText(3, key); });

    // 3. The widgets, actions, menus and lists.
    createActions();
    createMenus();
    createToolBars();
    createCentralArea();
    createStatusBar();
    createPopupMenus();
    connectCommands();

    // 4. Settings file and communication settings.
    m_ini.Load(m_folder + QStringLiteral("SetCfg.ini"));
    m_settings.Read(m_ini, QString()); // ServerIP's default follows in step 12

    // 5. Language, which also re-labels the communication mode.
    const StartupLanguage start = ChooseStartupLanguage(m_settings.LgType, LocaleLangAbbrev());
    Action(QStringLiteral("actSimpleChn"))->setVisible(start.showSimpleChn);
    Action(QStringLiteral("actTraditionalChn"))->setVisible(start.showTraditionalChn);
    SetLanguage(start.language);

    // 6. Communication mode and work port.
    m_settings.RelabelCommMode(LangText(3, QStringLiteral("comm_param_network")),
                               LangText(3, QStringLiteral("comm_param_serial_port")),
                               LangText(3, QStringLiteral("comm_param_network_ex")));
    m_settings.SetWorkPort(FindWorkPort(m_settings.WorkPortStart()));

    // 7. Recent files (read with the other settings).
    m_files.Recent.Paths = m_settings.RecentFiles;

    // 8. The picture-list panel starts hidden.
    m_pnBmpList->setVisible(false);

    // 9. Data folders.
    m_dataFolders = CreateDataFolders(m_folder);

    // 11. The trace file.
    m_debugLog.CreateFile();

    // 12. Server address (the host's address when none is stored).
    if (!m_ini.ValueExists(QStringLiteral("ServerIP"), QStringLiteral("ServerIP")))
        m_settings.ServerIP = m_env.hostAddress();

    // 13. Send-to-all box and the search button's colour.
    m_cbAllCard->setChecked(m_settings.IsSendAll);
    UpdateSearchButton();

    // 14, 15. Icon and title file.
    loadAppIcon();
    applyTitleFile();

    EnablePopup(ActionEnabling::Selection::None, true);
    EnableActions(ActionEnabling::State::NoCard, false, {});
    setWindowState(windowState() | Qt::WindowMaximized);
}

QAction *TfrmMain::addAction(const QString &name, const QString &english)
{
    auto *a = new QAction(english, this);
    a->setObjectName(name);
    a->setToolTip(withoutAccelerator(english));
    a->setStatusTip(withoutAccelerator(english));
    m_actions.insert(name, a);
    m_actionOrder.append(a);
    return a;
}

void TfrmMain::createActions()
{
    addAction(QStringLiteral("actFile"), QStringLiteral("File(&F)"));
    addAction(QStringLiteral("actNewPrg"), QStringLiteral("New"))->setShortcut(QKeySequence::New);
    addAction(QStringLiteral("actInsertPrg"), QStringLiteral("Open"))->setShortcut(QKeySequence::Open);
    addAction(QStringLiteral("actSavePrg"), QStringLiteral("Save"))->setShortcut(QKeySequence::Save);
    addAction(QStringLiteral("actSaveFileAs"), QStringLiteral("Save As..."))->setShortcut(QKeySequence::SaveAs);
    // Some platforms have no standard key for Quit; Ctrl+Q is the common one.
    const QList<QKeySequence> quit = QKeySequence::keyBindings(QKeySequence::Quit);
    addAction(QStringLiteral("actExit"), QStringLiteral("Exit"))
        ->setShortcuts(quit.isEmpty() ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)} : quit);
    addAction(QStringLiteral("actItemEdit"), QStringLiteral("Edit(&E)"));
    for (const MaterialAction &m : MaterialActions)
        addAction(QLatin1String(m.name), QLatin1String(m.english));
    addAction(QStringLiteral("actSoftTools"), QStringLiteral("Tools(&T)"));
    addAction(QStringLiteral("actBmp"), QStringLiteral("MsPaint"));
    addAction(QStringLiteral("actNote"), QStringLiteral("NotePad"));
    addAction(QStringLiteral("actMovieTool"), QStringLiteral("Animation"))->setEnabled(false);
    addAction(QStringLiteral("actCardDo"), QStringLiteral("Operation(&O)"));
    addAction(QStringLiteral("actSearch"), QStringLiteral("Search"));
    addAction(QStringLiteral("actSend"), QStringLiteral("Send"));
    addAction(QStringLiteral("actSendPrg"), QStringLiteral("Send Text Program"));
    addAction(QStringLiteral("actStopPlay"), QStringLiteral("Stop Play"));
    addAction(QStringLiteral("actBeginPlay"), QStringLiteral("Start Play"));
    addAction(QStringLiteral("actAdjTime"), QStringLiteral("Adjust Time"));
    addAction(QStringLiteral("actDelCard"), QStringLiteral("Del Current Card"));
    addAction(QStringLiteral("actNewCard"), QStringLiteral("New Card"));
    addAction(QStringLiteral("actPlayPreview"), QStringLiteral("Preview(&P)"));
    addAction(QStringLiteral("actPreview"), QStringLiteral("Preview"));
    addAction(QStringLiteral("actAddPrg"), QStringLiteral("Add Page"));
    addAction(QStringLiteral("actDelPrg"), QStringLiteral("Del Page"));
    addAction(QStringLiteral("actAddRgn"), QStringLiteral("Add Area"));
    addAction(QStringLiteral("actDelRegion"), QStringLiteral("Del Area"));
    addAction(QStringLiteral("actDelFodder"), QStringLiteral("Del Fodder"));
    addAction(QStringLiteral("actSetting"), QStringLiteral("Settting(&S)"));
    addAction(QStringLiteral("actCmmParaSet"), QStringLiteral("Comm&Param Config"));
    addAction(QStringLiteral("actLanguge"), QStringLiteral("Language"));
    addAction(QStringLiteral("actSimpleChn"), QStringLiteral("SimpleChinese"));
    addAction(QStringLiteral("actTraditionalChn"), QStringLiteral("TraditionalChinese"));
    addAction(QStringLiteral("actEnglish"), QStringLiteral("English"));
    addAction(QStringLiteral("actPassWord"), QStringLiteral("Password"));
    addAction(QStringLiteral("actSysHelp"), QStringLiteral("Help(&H)"));
    addAction(QStringLiteral("actHelp"), QStringLiteral("Help View"))->setShortcut(QKeySequence::HelpContents);
    addAction(QStringLiteral("actAbout"), QStringLiteral("About..."));

    m_languageGroup = new QActionGroup(this);
    m_languageGroup->setExclusive(true);
    for (const char *name : {"actSimpleChn", "actTraditionalChn", "actEnglish"}) {
        QAction *a = Action(QLatin1String(name));
        a->setCheckable(true);
        m_languageGroup->addAction(a);
    }
    Action(QStringLiteral("actNewPrg"))->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    Action(QStringLiteral("actInsertPrg"))->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    Action(QStringLiteral("actSavePrg"))->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    Action(QStringLiteral("actPreview"))->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    Action(QStringLiteral("actHelp"))->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    // Application-wide so the shortcuts work whichever panel has the focus.
    for (QAction *a : std::as_const(m_actionOrder))
        a->setShortcutContext(Qt::ApplicationShortcut);
}

void TfrmMain::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("mMenu"));
    auto heading = [this, bar](const char *actionName) {
        QAction *head = Action(QLatin1String(actionName));
        QMenu *menu = new QMenu(head->text(), bar);
        menu->setObjectName(QStringLiteral("m") + QLatin1String(actionName).mid(3));
        head->setMenu(menu);
        bar->addAction(head);
        return menu;
    };
    auto add = [this](QMenu *menu, const char *name) { menu->addAction(Action(QLatin1String(name))); };

    m_fileMenu = heading("actFile");
    add(m_fileMenu, "actNewPrg");
    add(m_fileMenu, "actInsertPrg");
    add(m_fileMenu, "actSavePrg");
    add(m_fileMenu, "actSaveFileAs");
    m_fileMenu->addSeparator();
    add(m_fileMenu, "actExit");

    QMenu *edit = heading("actItemEdit");
    add(edit, "actSglTxt");
    add(edit, "actMulText");
    edit->addSeparator();
    add(edit, "actDateTime");
    add(edit, "actAddTime");
    add(edit, "actDelTime");
    edit->addSeparator();
    add(edit, "actTable");
    add(edit, "actPicture");
    add(edit, "actMovie");
    edit->addSeparator();
    add(edit, "actInnerInfo");
    add(edit, "actCallNo");
    add(edit, "actCollectData");
    edit->addSeparator();
    add(edit, "actTxtSet");

    QMenu *tools = heading("actSoftTools");
    add(tools, "actBmp");
    add(tools, "actNote");
    add(tools, "actMovie");

    QMenu *op = heading("actCardDo");
    add(op, "actSearch");
    op->addSeparator();
    add(op, "actSend");
    op->addSeparator();
    add(op, "actStopPlay");
    add(op, "actBeginPlay");
    op->addSeparator();
    add(op, "actAdjTime");
    op->addSeparator();
    add(op, "actDelCard");

    QMenu *preview = heading("actPlayPreview");
    add(preview, "actPreview");

    QMenu *setting = heading("actSetting");
    add(setting, "actCmmParaSet");
    setting->addSeparator();
    QAction *langHead = Action(QStringLiteral("actLanguge"));
    QMenu *lang = new QMenu(langHead->text(), setting);
    lang->setObjectName(QStringLiteral("mLanguge"));
    langHead->setMenu(lang);
    setting->addAction(langHead);
    add(lang, "actSimpleChn");
    add(lang, "actTraditionalChn");
    add(lang, "actEnglish");
    add(setting, "actPassWord");

    QMenu *help = heading("actSysHelp");
    add(help, "actHelp");
    add(help, "actAbout");
}

void TfrmMain::createToolBars()
{
    auto bar = [this](const char *name, Qt::ToolButtonStyle style, std::initializer_list<const char *> actions) {
        QToolBar *tb = addToolBar(QLatin1String(name));
        tb->setObjectName(QLatin1String(name));
        tb->setToolButtonStyle(style);
        tb->setIconSize(QSize(16, 16));
        for (const char *a : actions)
            tb->addAction(Action(QLatin1String(a)));
        m_toolBars.append(tb);
        return tb;
    };
    bar("ActionToolBar8", Qt::ToolButtonTextBesideIcon, {"actNewPrg", "actInsertPrg", "actSavePrg"});
    bar("ActionToolBar5", Qt::ToolButtonTextOnly, {"actAddPrg", "actDelPrg", "actAddRgn", "actDelRegion", "actDelFodder"});
    bar("ActionToolBar6", Qt::ToolButtonTextOnly, {"actBmp", "actNote", "actMovieTool"});
    bar("ActionToolBar7", Qt::ToolButtonIconOnly, {"actPreview"});
    addToolBarBreak();
    QToolBar *materials = bar("ActionToolBar2", Qt::ToolButtonTextOnly, {});
    for (const MaterialAction &m : MaterialActions)
        materials->addAction(Action(QLatin1String(m.name)));
}

void TfrmMain::createCentralArea()
{
    auto *central = new QSplitter(Qt::Horizontal, this);
    central->setObjectName(QStringLiteral("splMain"));

    // Left: object list title bar, tree, property title and grid.
    auto *left = new QSplitter(Qt::Vertical, central);
    left->setObjectName(QStringLiteral("splLeft"));
    auto *top = new QWidget(left);
    auto *topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    m_pnObjectList = new QWidget(top);
    m_pnObjectList->setObjectName(QStringLiteral("pnObjectList"));
    auto *titleBar = new QHBoxLayout(m_pnObjectList);
    titleBar->setContentsMargins(2, 2, 2, 2);
    m_pnObjectListCaption = new QLabel(QStringLiteral("Object List"), m_pnObjectList);
    m_pnObjectListCaption->setObjectName(QStringLiteral("lbObjectList"));
    m_bBtnSearch = new QPushButton(QStringLiteral("Search"), m_pnObjectList);
    m_bBtnSearch->setObjectName(QStringLiteral("bBtnSearch"));
    m_sBtnUp = new QToolButton(m_pnObjectList);
    m_sBtnUp->setObjectName(QStringLiteral("sBtnUp"));
    m_sBtnUp->setArrowType(Qt::UpArrow);
    m_sBtnDown = new QToolButton(m_pnObjectList);
    m_sBtnDown->setObjectName(QStringLiteral("sBtnDown"));
    m_sBtnDown->setArrowType(Qt::DownArrow);
    m_cbAllCard = new QCheckBox(QStringLiteral("All"), m_pnObjectList);
    m_cbAllCard->setObjectName(QStringLiteral("cbAllCard"));
    m_bBtnSendPrg = new QPushButton(QStringLiteral("Send"), m_pnObjectList);
    m_bBtnSendPrg->setObjectName(QStringLiteral("bBtnSendPrg"));
    titleBar->addWidget(m_pnObjectListCaption, 1);
    titleBar->addWidget(m_bBtnSearch);
    titleBar->addWidget(m_sBtnUp);
    titleBar->addWidget(m_sBtnDown);
    titleBar->addWidget(m_cbAllCard);
    titleBar->addWidget(m_bBtnSendPrg);
    topLayout->addWidget(m_pnObjectList);

    auto *bottom = new QWidget(left);
    auto *bottomLayout = new QVBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    m_pnAttrTitle = new QLabel(QStringLiteral("Object Attribute[Stop_Time:0-->Not Stop 255-->Static]"), bottom);
    m_pnAttrTitle->setObjectName(QStringLiteral("pnAttrTitle"));
    m_lbStopTime = new QLabel(QStringLiteral("Remain_Time:0-->Not Stop 255-->Static"), bottom);
    m_lbStopTime->setObjectName(QStringLiteral("lbStopTime"));
    m_lbStopTime->setStyleSheet(QStringLiteral("color: red;"));
    bottomLayout->addWidget(m_pnAttrTitle);
    bottomLayout->addWidget(m_lbStopTime);

    // Right: canvas and picture list.
    auto *right = new QSplitter(Qt::Vertical, central);
    right->setObjectName(QStringLiteral("splRight"));

    // The object views go into these containers.
    auto *treeHost = new QWidget(top);
    treeHost->setObjectName(QStringLiteral("hostTree"));
    new QVBoxLayout(treeHost);
    treeHost->layout()->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(treeHost, 1);
    auto *gridHost = new QWidget(bottom);
    gridHost->setObjectName(QStringLiteral("hostGrid"));
    new QVBoxLayout(gridHost);
    gridHost->layout()->setContentsMargins(0, 0, 0, 0);
    bottomLayout->addWidget(gridHost, 1);
    createObjectViews();
    treeHost->layout()->addWidget(m_tvObject);
    gridHost->layout()->addWidget(m_vLEditor);
    right->addWidget(m_sBoxMain);
    right->addWidget(m_pnBmpList);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 1);

    central->addWidget(left);
    central->addWidget(right);
    central->setStretchFactor(0, 0);
    central->setStretchFactor(1, 1);
    central->setSizes({300, 900});
    setCentralWidget(central);
}

// ===== The object tree, property grid, canvas and picture list, and the
// controller that ties them to the model; the rest of the window knows them
// only by these members and their object names.
void TfrmMain::createObjectViews()
{
    auto *tree = new TObjectTree(this);
    tree->setContextMenuPolicy(Qt::CustomContextMenu);
    m_tree = tree;
    m_tvObject = tree;
    connect(m_tree, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        m_pMenuObject->popup(m_tree->viewport()->mapToGlobal(pos));
    });
    auto *grid = new TPropertyGrid(this);
    m_vLEditor = grid;
    auto *canvas = new TCanvas(this);
    m_sBoxMain = canvas;
    auto *bmpList = new TBmpListPanel(this);
    m_pnBmpList = bmpList;

    // The controller mirrors the model in the four views and owns their edit
    // rules; the window keeps the enabling of its commands.
    m_objects = new TObjectController(m_project, tree, grid, canvas, bmpList, this);
    m_objects->SetModelUi(this);
    m_objects->SetDialogParent(this);
    m_objects->Rows().CommInfo = [this] {
        TCommInfo c;
        c.commMode = m_settings.CommMode;
        c.rs232 = !m_settings.IsNetworkMode() && !m_settings.Is485Mode();
        c.param01 = m_settings.CommParam01;
        c.param02 = m_settings.CommParam02;
        return c;
    };
    connect(m_objects, &TObjectController::selectionChanged, this,
            [this] { SelectionChanged(m_objects->Selection()); });
    connect(m_objects, &TObjectController::statusText, this, &TfrmMain::SetStatusText);
    connect(this, &TfrmMain::languageChanged, m_objects, &TObjectController::RefreshSelection);
    connect(m_sBtnUp, &QToolButton::clicked, m_objects, &TObjectController::MoveUp);
    connect(m_sBtnDown, &QToolButton::clicked, m_objects, &TObjectController::MoveDown);
}

void TfrmMain::treeAddCard(TFIXModem *card)
{
    m_objects->SelectNode(m_objects->AddCard(card));
}

bool TfrmMain::treeIsEmpty() const
{
    return !m_tree || m_tree->topLevelItemCount() == 0;
}

// ===== end of the object views

void TfrmMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("sBarStatus"));
    bar->setSizeGripEnabled(false);
    for (int i = 0; i < 6; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("sBarStatusPanel%1").arg(i));
        panel->setFixedWidth(PanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        if (i == 0 || i == 1 || i == 2 || i == 4)
            panel->setAlignment(Qt::AlignCenter);
        bar->addPermanentWidget(panel);
        m_statusPanels.append(panel);
    }
    m_statusPanels[0]->setText(QStringLiteral("Current Card"));
    m_statusPanels[2]->setText(QStringLiteral("Comm Mode"));
    // Step 10: the send progress bar lives in panel 5.
    auto *layout = new QHBoxLayout(m_statusPanels[5]);
    layout->setContentsMargins(2, 1, 2, 1);
    m_progress = new QProgressBar(m_statusPanels[5]);
    m_progress->setObjectName(QStringLiteral("pbSend"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    layout->addWidget(m_progress);
}

void TfrmMain::createPopupMenus()
{
    m_pMenuObject = new QMenu(this);
    m_pMenuObject->setObjectName(QStringLiteral("pMenuObject"));
    auto item = [this](const char *actionName) {
        QAction *source = Action(QLatin1String(actionName));
        QAction *a = m_pMenuObject->addAction(source->text());
        a->setObjectName(QStringLiteral("pm") + QLatin1String(actionName).mid(3));
        m_popupItems.insert(QLatin1String(actionName), a);
        return a;
    };
    item("actNewCard");
    item("actDelCard");
    m_pMenuObject->addSeparator();
    item("actSendPrg");
    item("actSend");
    m_pMenuObject->addSeparator();
    item("actNewPrg");
    item("actInsertPrg");
    item("actSavePrg");
    m_pMenuObject->addSeparator();
    item("actAddPrg");
    item("actDelPrg");
    m_pMenuObject->addSeparator();
    item("actAddRgn");
    item("actDelRegion");
    m_pMenuObject->addSeparator();
    item("actDelFodder");

    m_netCardChoice = new TfrmMulNetCardChoice(this);
    m_netCardChoice->SetTextProvider([] {
        TfrmMulNetCardChoice::Texts t;
        t.caption = LangText(16, QStringLiteral("netWorkChoice"));
        t.notShow = LangText(16, QStringLiteral("cbNotShow"));
        t.ok = LangText(16, QStringLiteral("btnOK"));
        t.columns = LangList(16, 1);
        t.notChosen = LangText(16, QStringLiteral("dlg_not_choice"));
        return t;
    });

    m_pMenuEdit = new QMenu(this);
    m_pMenuEdit->setObjectName(QStringLiteral("pMenuEdit"));
    QAction *del = m_pMenuEdit->addAction(QString::fromUtf8("删除对象"));
    del->setObjectName(QStringLiteral("pmDelObject"));
    connect(del, &QAction::triggered, this, &TfrmMain::DeleteSelectedObject);
}

void TfrmMain::connectCommands()
{
    auto on = [this](const char *name, auto handler) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this, handler);
    };
    on("actNewPrg", [this] { newPlaybill(); });
    on("actInsertPrg", [this] { openPlaybill(); });
    on("actSavePrg", [this] { savePlaybills(); });
    on("actSaveFileAs", [this] { savePlaybillAs(); });
    on("actAddPrg", [this] { addPage(); });
    on("actDelPrg", [this] { deletePage(); });
    on("actAddRgn", [this] { addRegion(); });
    on("actDelRegion", [this] { deleteRegion(); });
    on("actDelFodder", [this] { deleteMaterial(); });
    on("actSendPrg", [this] { m_link->SendTextProgram(); });
    on("actExit", [this] { close(); });
    for (const MaterialAction &m : MaterialActions) {
        const int kind = m.kind;
        connect(Action(QLatin1String(m.name)), &QAction::triggered, this, [this, kind] { addMaterial(kind); });
    }
    on("actBmp", [this] { m_programs.StartPaint(); });
    on("actNote", [this] { m_programs.StartTextEditor(); });
    on("actSearch", [this] { m_link->Search(); });
    on("actSend", [this] { m_link->Send(); });
    on("actStopPlay", [this] { m_link->StopPlay(); });
    on("actBeginPlay", [this] { m_link->BeginPlay(); });
    on("actAdjTime", [this] { m_link->AdjustTime(); });
    on("actDelCard", [this] { deleteCard(); });
    on("actNewCard", [this] { newCard(); });
    on("actPreview", [this] { m_link->Preview(); });
    on("actCmmParaSet", [this] { m_link->CommParamConfig(); });
    on("actSimpleChn", [this] { SetLanguage(0); });
    on("actTraditionalChn", [this] { SetLanguage(1); });
    on("actEnglish", [this] { SetLanguage(2); });
    on("actHelp", [this] { m_programs.OpenHelp(m_folder + QStringLiteral("help.chm")); });
    on("actAbout", [this] { showAbout(); });

    connect(m_bBtnSearch, &QPushButton::clicked, Action(QStringLiteral("actSearch")), &QAction::trigger);
    connect(m_bBtnSendPrg, &QPushButton::clicked, Action(QStringLiteral("actSend")), &QAction::trigger);
    connect(m_cbAllCard, &QCheckBox::toggled, this, [this](bool on) { m_settings.IsSendAll = on; });

    // Pop-up items are enabled on their own, so they call the commands
    // directly rather than through the (possibly disabled) actions.
    const QHash<QString, std::function<void()>> popup = {
        {QStringLiteral("actNewCard"), [this] { newCard(); }},
        {QStringLiteral("actDelCard"), [this] { deleteCard(); }},
        {QStringLiteral("actSendPrg"), [this] { m_link->SendTextProgram(); }},
        {QStringLiteral("actSend"), [this] { m_link->Send(); }},
        {QStringLiteral("actNewPrg"), [this] { newPlaybill(); }},
        {QStringLiteral("actInsertPrg"), [this] { openPlaybill(); }},
        {QStringLiteral("actSavePrg"), [this] { savePlaybills(); }},
        {QStringLiteral("actAddPrg"), [this] { addPage(); }},
        {QStringLiteral("actDelPrg"), [this] { deletePage(); }},
        {QStringLiteral("actAddRgn"), [this] { addRegion(); }},
        {QStringLiteral("actDelRegion"), [this] { deleteRegion(); }},
        {QStringLiteral("actDelFodder"), [this] { deleteMaterial(); }},
    };
    for (auto it = popup.begin(); it != popup.end(); ++it) {
        auto fn = it.value();
        connect(m_popupItems.value(it.key()), &QAction::triggered, this, [fn] { fn(); });
    }
}

// ---------------------------------------------------------------- language

void TfrmMain::SetLanguage(int language)
{
    ::SetLanguage(true, language);
    if (QAction *item = Action(language == 0 ? QStringLiteral("actSimpleChn")
                                             : language == 1 ? QStringLiteral("actTraditionalChn")
                                                             : QStringLiteral("actEnglish")))
        item->setChecked(true);
    const QString oldMode = m_settings.CommMode;
    m_settings.RelabelCommMode(LangText(3, QStringLiteral("comm_param_network")),
                               LangText(3, QStringLiteral("comm_param_serial_port")));
    if (!oldMode.isEmpty() && m_statusPanels.size() > 3 && m_statusPanels[3]->text().startsWith(oldMode))
        m_statusPanels[3]->setText(m_settings.CommMode + m_statusPanels[3]->text().mid(oldMode.size()));
    applyLanguageToWindow();
    emit languageChanged(language);
}

void TfrmMain::applyLanguageToWindow()
{
    // Kind 0: the window's own captions.
    for (const rLgMap &row : LangRows(0)) {
        const QString key = row.key.trimmed();
        if (key == QLatin1String("frmMain"))
            setWindowTitle(row.text);
        else if (key == QLatin1String("pnObjectList"))
            m_pnObjectListCaption->setText(row.text);
        else if (key == QLatin1String("pnAttrTitle"))
            m_pnAttrTitle->setText(row.text);
        else if (key == QLatin1String("lbStopTime"))
            m_lbStopTime->setText(row.text);
        else if (key == QLatin1String("cbAllCard"))
            m_cbAllCard->setText(row.text);
        else if (key == QLatin1String("sBarStatus") && (row.index == 0 || row.index == 2))
            m_statusPanels[row.index]->setText(row.text);
    }
    // Kind 1: caption and hint of every action, in the manager's order.
    const QList<rLgMap> actionRows = LangRows(1);
    for (QAction *a : std::as_const(m_actionOrder)) {
        for (const rLgMap &row : actionRows) {
            if (row.key.trimmed() == a->objectName()) {
                a->setText(row.text);
                a->setToolTip(withoutAccelerator(row.text));
                a->setStatusTip(withoutAccelerator(row.text));
                if (a->menu())
                    a->menu()->setTitle(row.text);
                break;
            }
        }
    }
    for (auto it = m_popupItems.begin(); it != m_popupItems.end(); ++it)
        it.value()->setText(Action(it.key())->text());
    m_bBtnSearch->setText(Action(QStringLiteral("actSearch"))->text());
    m_bBtnSendPrg->setText(Action(QStringLiteral("actSend"))->text());
    // Kind 4: the picture-list panel's components by name.
    for (const rLgMap &row : LangRows(4)) {
        if (QObject *target = m_pnBmpList->findChild<QObject *>(row.key.trimmed()))
            setCaption(target, row.text);
    }
    // The title file wins over the table's caption.
    applyTitleFile();
}

void TfrmMain::applyTitleFile()
{
    const QString title = ReadTitleFile(m_folder);
    if (!title.isEmpty())
        setWindowTitle(title + QLatin1Char(' ') + m_version);
}

void TfrmMain::UpdateSearchButton()
{
    m_bBtnSearch->setStyleSheet(m_settings.IsOpenSearch ? QStringLiteral("color: black;")
                                                         : QStringLiteral("color: #C0C0C0;"));
}

void TfrmMain::loadAppIcon()
{
    const QString icon = FindAppIcon(m_folder);
    if (icon.isEmpty())
        return;
    const QIcon loaded(icon);
    if (!loaded.isNull()) {
        QApplication::setWindowIcon(loaded);
        setWindowIcon(loaded);
    }
}

// ---------------------------------------------------------------- status bar

QLabel *TfrmMain::StatusPanel(int index) const
{
    return index >= 0 && index < m_statusPanels.size() ? m_statusPanels.at(index) : nullptr;
}

QString TfrmMain::StatusText(int index) const
{
    const QLabel *p = StatusPanel(index);
    return p ? p->text() : QString();
}

void TfrmMain::SetStatusText(int index, const QString &text)
{
    if (QLabel *p = StatusPanel(index))
        p->setText(text);
}

// ---------------------------------------------------------------- first show

void TfrmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShowDone) {
        m_firstShowDone = true;
        // After the window is on screen, so the dialogs have a parent to
        // sit on.
        QTimer::singleShot(0, this, &TfrmMain::FirstShow);
    }
}

void TfrmMain::FirstShow()
{
    static bool running = false; // FirstShow is not re-entrant through the dialogs
    if (running)
        return;
    running = true;
    m_firstShowDone = true;
    showTips();            // 1
    chooseNetworkCard();   // 2, 3
    // 4: centring the screen panel is the canvas's work when it is shown.
    LoadCards();           // 5
    insertRecentSeparator();
    for (const QString &path : std::as_const(m_files.Recent.Paths))
        AddRecentFileEntry(path); // 6
    startLink();           // 7
    running = false;
}

void TfrmMain::showTips()
{
    if (m_settings.IsShowTips || !m_env.interactive)
        return;
    TfrmInitTips tips(this);
    m_env.execDialog(&tips);
    m_settings.IsShowTips = tips.cbCheck()->isChecked();
    TAppSettings::WriteShowTips(m_ini, m_settings.IsShowTips);
    const QString error = m_ini.Save();
    if (!error.isEmpty())
        qWarning("SetCfg.ini not written: %s", qPrintable(error));
}

void TfrmMain::chooseNetworkCard()
{
    const AdapterListResult adapters = m_env.adapters();
    if (!adapters.error.isEmpty()) {
        // The rest of this step (choosing and binding) is skipped.
        ShowTip(adapters.error);
        return;
    }
    if (adapters.adapters.size() > 1) {
        if (m_settings.IsShowMulNetCard && m_env.interactive) {
            TfrmMulNetCardChoice *dlg = m_netCardChoice;
            dlg->Fill(adapters.adapters, m_settings.ServerIP);
            m_env.execDialog(dlg);
            m_settings.IsShowMulNetCard = !dlg->NotShowChecked();
            if (!dlg->ChosenAddress().isEmpty())
                m_settings.ServerIP = dlg->ChosenAddress();
        }
    } else {
        m_settings.ServerIP = m_env.hostAddress();
    }
    m_link->BindUdp(m_settings.ServerIP);
}

void TfrmMain::startLink()
{
    SetStatusText(3, m_settings.CommMode);
    if (m_settings.IsNetworkMode())
        m_link->StartLink(TCommLinkSeam::LinkStart::TcpServer, QString(), m_settings.WorkPort);
    else if (m_settings.Is485Mode())
        m_link->StartLink(TCommLinkSeam::LinkStart::Serial485, m_settings.CommParam01, m_settings.BaudRate());
    else
        m_link->StartLink(TCommLinkSeam::LinkStart::Serial232, m_settings.CommParam01, m_settings.BaudRate());
}

// ---------------------------------------------------------------- cards

void TfrmMain::LoadCards()
{
    const QList<StoredCard> stored = TAppSettings::ReadCards(m_ini, m_folder);
    const bool anyLine = !m_ini.SectionValues(QStringLiteral("CardsInfo")).isEmpty();
    if (!anyLine)
        EnableActions(ActionEnabling::State::NoCard, false, {});
    else
        EnableActions(ActionEnabling::State::Card, false, {});

    for (const StoredCard &card : stored) {
        const CardLine &line = card.Line;
        bool versionOk = false;
        const int version = line.Version.toInt(&versionOk);
        const QString panelName = m_project.NextPanelName(QStringLiteral("pnCard"));
        m_currentScreenPanel = panelName;

        if (m_settings.IsNetworkMode() && versionOk && version > 53 && !line.IpAddress.isEmpty()
            && !line.MacAddress.isEmpty() && m_settings.ServerIP != QLatin1String("127.0.0.1")) {
            if (!m_link->CheckCardSegment(line.IpAddress, line.MacAddress))
                ShowTip(LangText(3, QStringLiteral("warn_comm_IP_exception")));
            else if (m_settings.IsOpenSearch)
                m_link->SendNetConfig(line.IpAddress, line.MacAddress);
        }

        // The card object first, so its node and screen panel can be made
        // from it.
        TFIXModem *made = m_project.Cards.Append(TFIXModem::Create(
            lkSerial, card.Name, panelName, line.IpAddress, line.InnerCode, line.MacAddress, line.ProgramFile,
            m_project.Cards.Count() + 1, line.Width, line.Height, 56, versionOk ? version : -1, 5, 8));
        treeAddCard(made);
        if (!line.ProgramFile.isEmpty())
            m_files.LoadPlaybill(card.Name, line.ProgramFile);
    }
}

QList<StoredCard> TfrmMain::cardsForSaving() const
{
    QList<StoredCard> cards;
    for (const auto &c : m_project.Cards) {
        StoredCard s;
        s.Name = c->Name;
        s.Line.Width = c->ScreenWidth;
        s.Line.Height = c->ScreenHeight;
        s.Line.ProgramFile = c->ProgramFile;
        s.Line.InnerCode = c->InnerCode;
        s.Line.IpAddress = c->IpAddress;
        s.Line.MacAddress = c->MacAddress;
        s.Line.Version = QString::number(c->FirmwareVersion);
        cards.append(s);
    }
    return cards;
}

void TfrmMain::SaveSettings()
{
    if (m_settingsSaved)
        return;
    m_settingsSaved = true;
    m_settings.RecentFiles = m_files.Recent.Paths;
    m_settings.IsSendAll = m_cbAllCard->isChecked();
    m_settings.Write(m_ini, cardsForSaving(), CurLanguage(), m_folder);
    const QString error = m_ini.Save();
    if (!error.isEmpty())
        qWarning("SetCfg.ini not written: %s", qPrintable(error));
}

// ---------------------------------------------------------------- closing

void TfrmMain::closeEvent(QCloseEvent *event)
{
    if (m_project.AnyModified()) {
        QMessageBox::StandardButton answer = QMessageBox::Yes;
        if (m_env.ask)
            answer = m_env.ask(LangText(3, QStringLiteral("dlg_sys_exit")),
                               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        else if (m_env.interactive)
            answer = QMessageBox::question(this, windowTitle(), LangText(3, QStringLiteral("dlg_sys_exit")),
                                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // Without anyone to ask the playbills are saved: nothing is lost.
        if (answer == QMessageBox::Cancel || answer == QMessageBox::Escape || answer == QMessageBox::NoButton) {
            event->ignore();
            return;
        }
        if (answer == QMessageBox::Yes)
            m_files.SaveAll(TPlaybillFiles::smOnExit);
    }
    m_link->SendCloseNotices();
    event->accept();
}

// ---------------------------------------------------------------- enabling

void TfrmMain::EnablePopup(ActionEnabling::Selection selection, bool treeEmpty)
{
    const ActionEnabling::Popup p = ActionEnabling::PopupFor(selection, treeEmpty);
    const std::pair<const char *, bool> items[] = {
        {"actNewCard", p.NewCard}, {"actDelCard", p.DelCard}, {"actSendPrg", p.SendTextProgram},
        {"actSend", p.Send},       {"actNewPrg", p.New},      {"actInsertPrg", p.Open},
        {"actSavePrg", p.Save},    {"actAddPrg", p.AddPage},  {"actDelPrg", p.DelPage},
        {"actAddRgn", p.AddArea},  {"actDelRegion", p.DelArea}, {"actDelFodder", p.DelFodder},
    };
    for (const auto &[name, on] : items)
        m_popupItems.value(QLatin1String(name))->setEnabled(on);
}

void TfrmMain::EnableActions(ActionEnabling::State state, bool queueAllowed,
                             const ActionEnabling::CardCapabilities &caps)
{
    const ActionEnabling::Actions a = ActionEnabling::ForState(state, queueAllowed, caps);
    const std::pair<const char *, bool> items[] = {
        {"actSendPrg", a.SendTextProgram}, {"actNewPrg", a.New},          {"actInsertPrg", a.Open},
        {"actSavePrg", a.Save},            {"actAddPrg", a.AddPage},      {"actDelPrg", a.DelPage},
        {"actAddRgn", a.AddArea},          {"actDelRegion", a.DelArea},   {"actDelFodder", a.DelFodder},
        {"actSglTxt", a.SingleText},       {"actMulText", a.MultiText},   {"actDateTime", a.Time},
        {"actAddTime", a.IsTime},          {"actDelTime", a.CountDown},   {"actTable", a.Table},
        {"actPicture", a.Image},           {"actMovie", a.Movie},         {"actInnerInfo", a.Code},
        {"actCallNo", a.Queue},            {"actCollectData", a.Collection}, {"actTxtSet", a.RemoteText},
    };
    for (const auto &[name, on] : items)
        Action(QLatin1String(name))->setEnabled(on);
}

void TfrmMain::SelectionChanged(const TSelection &selection)
{
    m_selection = selection;
    using ActionEnabling::Selection;
    using ActionEnabling::State;
    Selection popup = Selection::None;
    State state = State::NoCard;
    QString cardName;
    const TRegion *region = nullptr;
    switch (selection.level) {
    case TSelection::None:
        break;
    case TSelection::Card:
        popup = Selection::Card;
        state = State::Card;
        cardName = selection.cardName;
        break;
    case TSelection::Page:
        popup = Selection::Page;
        state = State::Page;
        cardName = selection.page ? selection.page->CardName : selection.cardName;
        break;
    case TSelection::Region:
        popup = Selection::Region;
        state = State::Region;
        region = selection.region;
        cardName = region ? region->CardName : selection.cardName;
        break;
    case TSelection::Material:
        popup = Selection::Material;
        state = State::Material;
        region = selection.fodder ? m_project.RegionOfFodder(selection.fodder) : nullptr;
        cardName = selection.fodder ? selection.fodder->CardName : selection.cardName;
        break;
    }
    SetStatusText(1, selection.level == TSelection::Card ? cardName : StatusText(1));
    EnablePopup(popup, treeIsEmpty());
    if (selection.level == TSelection::None)
        return; // nothing selected: the actions keep their state
    ActionEnabling::CardCapabilities caps;
    if (const TFIXModem *card = m_project.FindCard(cardName)) {
        caps.found = true;
        caps.flags = card->Capabilities;
        caps.remoteTextFree = card->RemoteTextFree;
    }
    const bool queueAllowed = region && m_project.QueueAllowed(region);
    EnableActions(state, queueAllowed, caps);
}

void TfrmMain::refreshEnabling()
{
    SelectionChanged(m_selection);
}

// ---------------------------------------------------------------- recent files

void TfrmMain::insertRecentSeparator()
{
    if (m_recentSeparator)
        return;
    // Before the menu's last two items: its separator and Exit.
    const QList<QAction *> items = m_fileMenu->actions();
    m_recentSeparator = new QAction(m_fileMenu);
    m_recentSeparator->setSeparator(true);
    m_fileMenu->insertAction(items.size() >= 2 ? items.at(items.size() - 2) : nullptr, m_recentSeparator);
}

void TfrmMain::AddRecentFileEntry(const QString &path)
{
    insertRecentSeparator();
    const QList<QAction *> items = m_fileMenu->actions();
    QAction *before = items.size() >= 2 ? items.at(items.size() - 2) : nullptr;
    QString caption = path;
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    auto *entry = new QAction(QStringLiteral("& ") + caption, m_fileMenu);
    entry->setData(path);
    connect(entry, &QAction::triggered, this, [this, path] { recentFileTriggered(path); });
    m_fileMenu->insertAction(before, entry);
    m_recentEntries.append(entry);
}

void TfrmMain::recentFileTriggered(const QString &path)
{
    m_files.OpenRecent(m_selection, path);
    refreshEnabling();
}

// ---------------------------------------------------------------- commands

void TfrmMain::newCard()
{
    // A root node and a 256 x 128 screen; the card object comes from a
    // search or a connecting card.
    m_objects->SelectNode(m_objects->NewCard());
}

// The add and delete commands go through the object views, which mirror the
// model and select what was added; their selection signal then sets the
// enabling here.
void TfrmMain::deleteCard()
{
    if (m_selection.level == TSelection::Card && m_objects->DeleteSelected())
        SelectionChanged(m_objects->Selection());
}

void TfrmMain::addPage()
{
    const QString error = m_objects->AddPage();
    if (!error.isEmpty())
        ShowMessage(LangText(3, error));
}

void TfrmMain::deletePage()
{
    if (m_selection.level == TSelection::Page && m_objects->DeleteSelected())
        SelectionChanged(m_objects->Selection());
}

void TfrmMain::addRegion()
{
    const QString error = m_objects->AddRegion();
    if (!error.isEmpty())
        ShowMessage(LangText(3, error));
}

void TfrmMain::deleteRegion()
{
    if (m_selection.level == TSelection::Region && m_objects->DeleteSelected())
        SelectionChanged(m_objects->Selection());
}

void TfrmMain::addMaterial(int kind)
{
    const QString error = m_objects->AddFodder(kind);
    if (!error.isEmpty()) {
        ShowMessage(LangText(3, error));
        return;
    }
    // One queue material: its action stays off until the selection changes.
    if (kind == fkQueue)
        Action(QStringLiteral("actCallNo"))->setEnabled(false);
}

void TfrmMain::deleteMaterial()
{
    if (m_selection.level == TSelection::Material && m_objects->DeleteSelected())
        SelectionChanged(m_objects->Selection());
}

void TfrmMain::DeleteSelectedObject()
{
    if (m_selection.level != TSelection::None && m_objects->DeleteSelected())
        SelectionChanged(m_objects->Selection());
}

void TfrmMain::newPlaybill()
{
    const TAddResult r = m_files.NewPlaybill(m_objects->Selection());
    if (!r.error.isEmpty())
        ShowMessage(LangText(3, r.error));
    else
        SelectionChanged(m_objects->Selection());
}

void TfrmMain::openPlaybill()
{
    const int before = int(m_files.Recent.Paths.size());
    if (!m_files.Open(m_selection))
        return;
    // The opened file is the newest entry; when the list dropped its oldest
    // path, the oldest menu entry goes too.
    if (!m_files.Recent.Paths.isEmpty())
        AddRecentFileEntry(m_files.Recent.Paths.last());
    if (int(m_files.Recent.Paths.size()) <= before && !m_recentEntries.isEmpty()) {
        QAction *oldest = m_recentEntries.takeFirst();
        m_fileMenu->removeAction(oldest);
        oldest->deleteLater();
    }
    refreshEnabling();
}

void TfrmMain::savePlaybills()
{
    m_files.SaveAll(TPlaybillFiles::smNormal);
}

void TfrmMain::savePlaybillAs()
{
    m_files.SaveAs(m_selection);
}

void TfrmMain::showAbout()
{
    if (!m_env.interactive)
        return;
    QMessageBox::about(this, withoutAccelerator(Action(QStringLiteral("actAbout"))->text()),
                       windowTitle() + QStringLiteral("\n\nsignstudio ") + m_version);
}

// ---------------------------------------------------------------- TModelUi

bool TfrmMain::AskYesNo(const QString &key)
{
    const QString text = LangText(3, key).isEmpty() ? key : LangText(3, key);
    if (m_env.ask)
        return m_env.ask(text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    if (!m_env.interactive)
        return false;
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No)
           == QMessageBox::Yes;
}

QString TfrmMain::AskSaveFileName(const QString &title, const QString &folder)
{
    if (m_env.saveFileName)
        return m_env.saveFileName(title, folder);
    if (!m_env.interactive)
        return QString();
    QFileDialog dlg(this, title, folder, QStringLiteral("prg(*.prg)"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QStringLiteral("prg"));
    return dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty() ? dlg.selectedFiles().first() : QString();
}

QString TfrmMain::AskOpenFileName(const QString &folder)
{
    if (m_env.openFileName)
        return m_env.openFileName(folder);
    if (!m_env.interactive)
        return QString();
    return QFileDialog::getOpenFileName(this, QString(), folder, QStringLiteral("prg(*.prg)"));
}

void TfrmMain::ShowMessage(const QString &text)
{
    if (m_env.message) {
        m_env.message(text);
        return;
    }
    if (!m_env.interactive) {
        ShowTip(text);
        return;
    }
    QMessageBox::information(this, windowTitle(), text);
}
