#include "common/lang/language.h"
#include "signstudio/lang/english.h"
#include "signstudio/lang/langdata.h"
#include "signstudio/lang/langtext.h"
#include "signstudio/lang/simplechinese.h"
#include "signstudio/lang/traditionalchinese.h"

#include "common/base/codepage.h"

#include <QTest>
#include <memory>

namespace {

// Keys the program's windows and messages cite, by kind, as the design's key
// lists and the window descriptions name them.
const char *const kCitedKeys[17] = {
    // 0
    "frmMain pnObjectList pnAttrTitle lbStopTime cbAllCard sBarStatus",
    // 1
    "actFile actNewPrg actInsertPrg actSavePrg actSaveFileAs actExit actItemEdit actSglTxt "
    "actMulText actDateTime actAddTime actDelTime actColck actTable actPicture actMovie "
    "actInnerInfo actCallNo actCollectData actTxtSet actSoftTools actBmp actNote actMovieTool "
    "actCardDo actSearch actSend actSendPrg actStopPlay actBeginPlay actAdjTime actDelCard "
    "actPlayPreview actPreview actAddPrg actDelPrg actAddRgn actDelRegion actDelFodder actSetting "
    "actCmmParaSet actLanguge actSimpleChn actTraditionalChn actEnglish actPassWord actSysHelp "
    "actHelp actAbout actNewCard actReName",
    // 2
    "vLEditor",
    // 3
    "action_confirm action_not_exist action_occupied action_open_failed action_save action_saved "
    "action_save_confirm action_overwrite_confirm color_dual color_single color_tricolor "
    "comm_param_baud_rate comm_param_network comm_param_network_ex comm_param_setting "
    "comm_param_serial_port comm_param_port cycle_everyday dlg_del_area dlg_del_card "
    "dlg_del_material dlg_del_page dlg_overwrite_exist_file dlg_overwrite_exist_program_file "
    "dlg_sys_exit material_animation material_code_text material_count_down material_image_group "
    "material_is_time material_multi_text material_real_time_acquisition material_remote_text "
    "material_single_text material_table material_time material_window_no material_call_no "
    "object_area object_card object_file object_page object_playbill tip_done "
    "tip_card_calibration_send tip_card_search_close_enable tip_card_search_close "
    "tip_card_search_enable tip_card_stard_play_send tip_card_stop_play_send tip_codes_add "
    "tip_codes_del tip_codes_edit tip_config_complete tip_IP_config tip_load_send_contents "
    "tip_material_del tip_material_edit tip_page_del tip_page_edit tip_params_read "
    "tip_params_written tip_params_write_failed tip_params_writing tip_program_file_saved "
    "tip_program_sending tip_program_send_start tip_program_sent tip_search_card "
    "tip_server_confirm tip_softwear_running tip_transform_send_content "
    "tip_transform_preview_content tip_upload_code tip_upload_confirm_message "
    "tip_upload_heartbeat_packet tip_upload_material_content tip_upload_program tip_wait "
    "tip_except warn_area_add warn_card_name_enter warn_card_offline warn_card_select "
    "warn_card_select_open warn_card_version_low_add warn_card_version_low_cfg "
    "warn_card_version_low_send warn_codes_empty warn_codes_input warn_client_open_fail "
    "warn_comm_interface_select warn_comm_IP_exception warn_comm_network_open_fail "
    "warn_comm_serial_empty warn_comm_send_exception warn_comm_work_port warn_contents_empty "
    "warn_contents_empty_Send warn_enter_page_name warn_file_not_exist warn_IP_combined "
    "warn_IP_effective_num warn_IP_empty warn_IP_occupied warn_material_485_maximum "
    "warn_material_empty warn_material_empty_send warn_material_enter_name "
    "warn_material_generate warn_material_layer_drag warn_open_load_fail warn_open_select_tip "
    "warn_page_add warn_params_empty warn_play_times_empty warn_program_send_failed "
    "warn_residence_time_empty warn_select_content_Attr warn_select_font "
    "warn_select_font_color warn_select_font_size warn_select_mode warn_select_speed "
    "warn_send_preview_card warn_send_preview_card_select warn_send_program_card "
    "warn_server_port_effective_num warn_start_time_exceed warn_innercode_error",
    // 4
    "gbDirPath pnDisk gbDirFile gbOptions bBtnAddSel bBtnAllAdd bBtnInsert gbImageFileList "
    "colOrderNum colFile bBtnDel bBtnClear",
    // 5
    "single_text_caption multi_text_caption tBtnNewTxt tBtnOpenTxt tBtnSaveTxt tBtnEditCut "
    "tBtnEditPaste tBtnEditCopy tBtnEditUndo lbFont lbFontColor lbFontSize tBtnBold tBtnItalic "
    "tBtnUnderline tBtnStrikeOut tBtnLeft tBtnCenter tBtnRight lbVAlign cbVerAlign lbSHeight "
    "lbYAxisPos",
    // 6
    "table_new_caption table_edit_caption lbLineWidth lbLineColor lbBkColor lbShowMode lbStopTime "
    "lbRow lbCol lbRowHeight lbColWidth btOK btCancel tBtnNewTbl tBtnOpenTbl tBtnSaveTbl "
    "tBtnInsertCol tBtnInsertRow tBtnDelCol tBtnDelRow tBtnMergeCell tBtnSplitCell tBtnBold "
    "tBtnItalic tBtnUnderline tBtnLeft tBtnRight tBtnCenter Section_Color_Options",
    // 7
    "internal_code_caption tBtnNewTxt tBtnOpenTxt tBtnSaveTxt",
    // 8
    "remote_text_send gbPage gbStartTime gbEndTime gbPageName btNewProgram btEditProgram "
    "btDelProgram lvProgram gbMaterial gbFont gbFontSize gbFontColor btNewFodder btEditFodder "
    "btDelFodder gbMaterialName gbStopTime gbShowSpeed gbShowMode gbAttr gbPlayTimes lvFodder "
    "tBtnOpenPrg tBtnSavePrg tBtnSendPrg tBtnExit cbContentAttr",
    // 9
    "perview_caption tBtnPlay tBtnStop tBtnExit",
    // 10
    "comm_param_set gbComm lbComm btStartComm btClose btnRelayTimeSet gbServerIPInfo lbServerPort "
    "lbServerIP lbNetDelay gbTempIPInfo lbCardIP lbSubnetMask btSet gbGeneral lbSerial lbBaudRate "
    "gb485General lb485Serial lb485BaudRate gbInterCodeList btAdd btEdit btDel gBoxParam "
    "gbScreenAttr lbPixelsWidth lbPixelsHeight lbPixelsColor gbScanAttr lbScanMode lbDayBright "
    "lbNightBright lbDisplay lbOESignal lbDataBit lbConversion lbClockFrequency lbRowOrder "
    "lbEmptyDisplay gbCommInterface lb485Addr btRead btWrite cmdComm lvInnerCodeList cmdScan "
    "cmdDLamp cmdSContent cmdCF cmdTrans cmdRowOrder cbColor cmdEmptyDisplay cbShowNetCard "
    "btnShowNetwork",
    // 11
    "Font_Options Color_Options_Red Color_Options_Green Color_Options_Yellow Color_Options_Blue "
    "Color_Options_Purple Color_Options_Aqua Color_Options_White Move_Options Time_Options "
    "Collection_Options Time_Acc_Options Year_Digit_Options",
    // 12
    "run_tips lbTipInfo cbCheck btSure",
    // 13
    "search_cards lbSurplus lbSecond btStop",
    // 14
    "datetime_choose btSure btQuit",
    // 15
    "Unit_Year Unit_Month Unit_Week Unit_Day Unit_Date Unit_Hour Unit_Minute Unit_Second Unit_T "
    "Unit_F",
    // 16
    "netWorkChoice cbNotShow btnOK dlg_not_choice id netWorkAdapter IPAddress macAddress",
};

QString key(const rLgMap &r)
{
    return QStringLiteral("%1/%2/%3").arg(r.kind).arg(r.index).arg(r.key);
}

QStringList split(const char *bars)
{
    return QString::fromUtf8(bars).split(QLatin1Char('|'));
}

} // namespace

class TestSignStudioLang : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void dataFileReadsWhole();
    void rowCountsPerKind_data();
    void rowCountsPerKind();
    void sameSequenceInAllLanguages();
    void noEmptyTexts();
    void traditionalHasNoSimplifiedCharacters();
    void textsFitTheirCodePages();
    void citedKeysExist_data();
    void citedKeysExist();
    void englishTexts_data();
    void englishTexts();
    void englishLists_data();
    void englishLists();
    void simplifiedGivenTexts_data();
    void simplifiedGivenTexts();
    void titleRowFromVersion_data();
    void titleRowFromVersion();

    void sameKeyDiffersByKind();
    void colourListAgainstKeyedColour();
    void playByWeekChoices_data();
    void playByWeekChoices();
    void englishUnitWords();
    void interfaceListMatchesModeTexts();
    void listLookupMisses();
    void languageOutsideRangeSelectsNoTable();
    void buildReplacesTable();

    void startupLanguage_data();
    void startupLanguage();
    void localeAbbrev_data();
    void localeAbbrev();
};

void TestSignStudioLang::init()
{
    SetProgramVersion(QStringLiteral("V2.23"));
    SetLanguage(true, 2);
}

void TestSignStudioLang::dataFileReadsWhole()
{
    const LangTableData &data = SignStudioLangData();
    QVERIFY2(data.ok(), qPrintable(data.error));
    QCOMPARE(data.rows.size(), 599);
    // The rows of each kind sit together, kinds in ascending order.
    for (qsizetype i = 1; i < data.rows.size(); ++i)
        QVERIFY2(data.rows.at(i - 1).kind <= data.rows.at(i).kind,
                 qPrintable(QStringLiteral("line %1").arg(data.rows.at(i).line)));
}

void TestSignStudioLang::rowCountsPerKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("count");
    // Counts as the row lists of each kind give them.
    const int counts[17] = {7, 51, 103, 130, 12, 25, 36, 4, 40, 4, 71, 87, 4, 4, 3, 10, 8};
    for (int k = 0; k < 17; ++k)
        QTest::addRow("kind %d", k) << k << counts[k];
}

void TestSignStudioLang::rowCountsPerKind()
{
    QFETCH(int, kind);
    QFETCH(int, count);
    TEnglish table;
    QCOMPARE(int(table.Rows(kind).size()), count);
}

void TestSignStudioLang::sameSequenceInAllLanguages()
{
    TSimpleChinese sc;
    TTraditionalChinese tc;
    TEnglish en;
    QCOMPARE(sc.RowCount(), 599);
    QCOMPARE(tc.RowCount(), 599);
    QCOMPARE(en.RowCount(), 599);
    for (int k = 0; k < TLanguage::KindCount; ++k) {
        const auto &a = sc.Rows(k);
        const auto &b = tc.Rows(k);
        const auto &c = en.Rows(k);
        QCOMPARE(a.size(), c.size());
        QCOMPARE(b.size(), c.size());
        for (qsizetype i = 0; i < a.size(); ++i) {
            QCOMPARE(key(a.at(i)), key(c.at(i)));
            QCOMPARE(key(b.at(i)), key(c.at(i)));
            QCOMPARE(a.at(i).choices.size(), c.at(i).choices.size());
            QCOMPARE(b.at(i).choices.size(), c.at(i).choices.size());
        }
    }
}

void TestSignStudioLang::noEmptyTexts()
{
    for (const LangTableRow &row : SignStudioLangData().rows) {
        for (int l = 0; l < LangCount; ++l) {
            QVERIFY2(!row.text[l].trimmed().isEmpty(),
                     qPrintable(QStringLiteral("line %1 language %2").arg(row.line).arg(l)));
            QVERIFY2(!row.text[l].contains(QLatin1Char('\t')), qPrintable(row.key));
        }
    }
}

void TestSignStudioLang::textsFitTheirCodePages()
{
    // Texts reach files and cards in the system code page: GBK for the
    // Simplified and English tables, Big5 for the Traditional one.
    const QByteArray pages[LangCount] = {"GBK", "Big5", "GBK"};
    for (const LangTableRow &row : SignStudioLangData().rows) {
        for (int l = 0; l < LangCount; ++l) {
            for (const QString &t : {row.text[l], row.choices[l]}) {
                const QString back = CodePage::DecodeAs(pages[l], CodePage::EncodeAs(pages[l], t));
                QVERIFY2(back == t, qPrintable(QStringLiteral("line %1: %2").arg(row.line).arg(t)));
            }
        }
    }
}

void TestSignStudioLang::traditionalHasNoSimplifiedCharacters()
{
    // Characters whose Traditional form differs; none may appear in the
    // Traditional column.
    const QString simplified = QStringLiteral(
        "这个们显设读写关开时间数据网络计认为发页图区删选择输码颜号体线单双态"
        "应软员帮览动画类称宽当转换闪烁广标题内钟频颠译欢临启录盘");
    for (const LangTableRow &row : SignStudioLangData().rows) {
        const QString t = row.text[LangTraditional] + row.choices[LangTraditional];
        for (QChar c : simplified)
            QVERIFY2(!t.contains(c), qPrintable(QStringLiteral("line %1: %2 in %3")
                                                    .arg(row.line).arg(c).arg(t)));
    }
}

void TestSignStudioLang::citedKeysExist_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("key");
    for (int k = 0; k < 17; ++k) {
        const QStringList keys =
            QString::fromLatin1(kCitedKeys[k]).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (const QString &key : keys)
            QTest::addRow("%d %s", k, qPrintable(key)) << k << key;
    }
}

void TestSignStudioLang::citedKeysExist()
{
    QFETCH(int, kind);
    QFETCH(QString, key);
    for (int language = 0; language < 3; ++language) {
        SetLanguage(false, language);
        QVERIFY2(!LangText(kind, key).isEmpty(), qPrintable(QString::number(language)));
    }
}

void TestSignStudioLang::englishTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    struct Row
    {
        int kind;
        const char *key;
        const char *text;
    };
    const Row rows[] = {
        {0, "pnObjectList", "Object List"},
        {0, "pnAttrTitle", "Object Attribute[Stop_Time:0-->Not Stop 255-->Static]"},
        {0, "lbStopTime", "Remain_Time:0-->Not Stop 255-->Static"},
        {0, "cbAllCard", "All"},
        {0, "sBarStatus", "Current Card"},
        {1, "actFile", "File(&F)"}, {1, "actNewPrg", "New"}, {1, "actInsertPrg", "Open"},
        {1, "actSavePrg", "Save"}, {1, "actSaveFileAs", "Save As..."}, {1, "actExit", "Exit"},
        {1, "actItemEdit", "Edit(&E)"}, {1, "actSglTxt", "Single Text"},
        {1, "actMulText", "Multi Text"}, {1, "actDateTime", "Time"}, {1, "actAddTime", "Is Time"},
        {1, "actDelTime", "Count Down"}, {1, "actColck", "Clock"}, {1, "actTable", "Table"},
        {1, "actPicture", "Image"}, {1, "actMovie", "Movie"}, {1, "actInnerInfo", "Code"},
        {1, "actCallNo", "Queue"}, {1, "actCollectData", "Collection"},
        {1, "actTxtSet", "Remote Text"}, {1, "actSoftTools", "Tools(&T)"},
        {1, "actBmp", "MsPaint"}, {1, "actNote", "NotePad"}, {1, "actMovieTool", "Animation"},
        {1, "actCardDo", "Operation(&O)"}, {1, "actSearch", "Search"}, {1, "actSend", "Send"},
        {1, "actSendPrg", "Send Text Program"}, {1, "actStopPlay", "Stop Play"},
        {1, "actBeginPlay", "Start Play"}, {1, "actAdjTime", "Adjust Time"},
        {1, "actDelCard", "Del Current Card"}, {1, "actPlayPreview", "Preview(&P)"},
        {1, "actPreview", "Preview"}, {1, "actAddPrg", "Add Page"}, {1, "actDelPrg", "Del Page"},
        {1, "actAddRgn", "Add Area"}, {1, "actDelRegion", "Del Area"},
        {1, "actDelFodder", "Del Fodder"}, {1, "actSetting", "Settting(&S)"},
        {1, "actCmmParaSet", "Comm&Param Config"}, {1, "actLanguge", "Language"},
        {1, "actSimpleChn", "SimpleChinese"}, {1, "actTraditionalChn", "TraditionalChinese"},
        {1, "actEnglish", "English"}, {1, "actPassWord", "Password"},
        {1, "actSysHelp", "Help(&H)"}, {1, "actHelp", "Help View"}, {1, "actAbout", "About..."},
        {1, "actNewCard", "New Card"}, {1, "actReName", "ReName Card"},
        {3, "object_card", "card"}, {3, "object_playbill", "playbill"},
        {3, "object_page", "show_page"}, {3, "object_area", "area"}, {3, "object_file", "file"},
        {3, "material_single_text", "single-text"}, {3, "material_multi_text", "multi_text"},
        {3, "material_image_group", "image_group"}, {3, "material_table", "table"},
        {3, "material_time", "time"}, {3, "material_remote_text", "remote_text"},
        {3, "material_call_no", "queue"}, {3, "material_window_no", "window_no"},
        {3, "material_is_time", "is_time"}, {3, "material_count_down", "count_down"},
        {3, "material_code_text", "internal_code_word"},
        {3, "material_real_time_acquisition", "real_time_acquisition"},
        {3, "material_animation", "animation"},
        {3, "color_single", "single-color"}, {3, "color_dual", "dual-color"},
        {3, "color_tricolor", "Tri-color"},
        {3, "comm_param_network", "Network"}, {3, "comm_param_network_ex", "network<server-side>"},
        {3, "comm_param_serial_port", "Serial Port"}, {3, "comm_param_port", "Port"},
        {3, "comm_param_baud_rate", "baud rate"},
        {3, "warn_card_version_low_add",
         "The current version of the control card is too low [less than 52], can not add display page!"},
        {3, "warn_card_version_low_send",
         "The current version of the control card is too low [less than 52], can not send!"},
        {3, "warn_codes_input",
         "Please complete the internal code, and each internal code input box must not exceed 255!"},
        {3, "warn_material_485_maximum",
         "485 of the material contents of the length of the maximum can not exceed 256!"},
        {3, "warn_IP_effective_num", "Please enter a number from 0 to 255 value!"},
        {3, "warn_server_port_effective_num",
         "Values in the range 1001-65535 enter the server work port!"},
        {3, "tip_softwear_running", "LED display control software is already running."},
        {3, "action_open_failed", "open failed!"},
        {3, "dlg_del_area", "Want to delete the currently area?"},
        {3, "dlg_del_card", "Want to delete the current control card?"},
        {3, "dlg_del_material", "Sure you want to delete this material?"},
        {3, "dlg_del_page", "Want to delete the currently displayed page?"},
        {3, "dlg_overwrite_exist_file", "File already exists, confirm overwrite?"},
        {3, "dlg_overwrite_exist_program_file",
         "Whether to overwrite the existing single-file program?"},
        {3, "dlg_sys_exit", "Exit when you want to save?"},
        {3, "tip_card_calibration_send", "Send completed calibration."},
        {3, "tip_card_search_close_enable",
         "Has closed the control card search feature, right-click enabled."},
        {3, "tip_card_search_close", "Closed control card search feature."},
        {3, "tip_card_search_enable", "Control card search feature has been enabled."},
        {3, "tip_card_stard_play_send", "Has been sent to start playing."},
        {3, "tip_card_stop_play_send", "Has been sent to stop playing."},
        {3, "tip_load_send_contents", "Loaded to send the contents of the list."},
        {3, "tip_program_sending", "Program from being sent, please wait ..."},
        {3, "tip_program_send_start", "start issued a single program..."},
        {3, "tip_program_sent", "Playbill been sent."},
        {3, "tip_search_card", "Search control card, please wait ..."},
        {3, "tip_transform_send_content", "Sent Content is being transformed."},
        {3, "tip_transform_preview_content", "Preview content is being transformed, please wait ..."},
        {3, "tip_except", "Abnormal, sent out."},
        {3, "warn_area_add", "Please select the area you want to add!"},
        {3, "warn_card_offline", "Controller is offline, can not send!"},
        {3, "warn_card_select", "Please select page to add display control card!"},
        {3, "warn_card_select_open",
         "Please select the program you want to open a single control card!"},
        {3, "warn_card_version_low_cfg",
         "Low control card version, please use a separate parameter configuration software configuration!"},
        {3, "warn_comm_IP_exception", "Card not in same network segment or occupied!"},
        {3, "warn_comm_network_open_fail", "Failed to open server-side service!"},
        {3, "warn_comm_send_exception", "Communication exception. Failed to send!"},
        {3, "warn_contents_empty",
         "Send page displays the contents of the material can not be empty!"},
        {3, "warn_contents_empty_Send", "Send the display is empty, add and then send!"},
        {3, "warn_file_not_exist", "Open the file does not exist!"},
        {3, "warn_material_empty_send", "Some material is empty, check and send!"},
        {3, "warn_material_generate",
         "Material content too much, need to generate a number of material!"},
        {3, "warn_material_layer_drag",
         "[Note] material layer does not support drag, the regional level in the operating!"},
        {3, "warn_open_load_fail",
         "Open the program from the region beyond the screen size range, failed to load!"},
        {3, "warn_page_add", "Please select the page you want to add!"},
        {3, "warn_program_send_failed", "Fail to send the program!"},
        {3, "warn_send_preview_card", "Preview content is empty, please add!"},
        {3, "warn_send_preview_card_select", "Please select control card to preview!"},
        {3, "warn_send_program_card", "Please select control card you want to send!"},
        {3, "warn_innercode_error", "The internal code is illegal, prohibited to send!"},
        {8, "remote_text_send", "Remote server text send"},
        {11, "Color_Options_Aqua", "Cyan"},
        {13, "search_cards", "Search Card..."}, {13, "lbSurplus", "Surplus"},
        {13, "lbSecond", "seconds"}, {13, "btStop", "Stop"},
        {16, "netWorkChoice", "You must choice one netWork card"},
        {16, "cbNotShow", "Not show, use the selected network adapter"},
        {16, "btnOK", "OK"}, {16, "dlg_not_choice", "Please choose one card from the list!"},
    };
    for (const Row &r : rows)
        QTest::addRow("%d %s", r.kind, r.key)
            << r.kind << QString::fromLatin1(r.key) << QString::fromUtf8(r.text);
}

void TestSignStudioLang::englishTexts()
{
    QFETCH(int, kind);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QCOMPARE(LangText(kind, key), text);
}

void TestSignStudioLang::englishLists_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("2/1 card")
        << 2 << 1
        << split("Type|Name|Width|Height|Screen_Color|Comm_Mode|Card_Internal_Code|Card_Version|"
                 "Program_File");
    QTest::newRow("2/11 card link") << 2 << 11 << split("Server_Port|Card_IP");
    QTest::newRow("2/12 card link") << 2 << 12 << split("Serial|Baud_Rate");
    QTest::newRow("2/2 page")
        << 2 << 2
        << split("Type|Name|Play_Start_Time|Play_Stop_Time|Play_By_Week|Play_By_Date|"
                 "Play Before Date|Play After Date| Before| After|everyday|"
                 "Note: Two or more display pages fit the setting");
    QTest::newRow("2/3 region")
        << 2 << 3 << split("Type|Name|X_Coordinate|Y_Coordinate|Pixels_Width|Pixels_Height");
    QTest::newRow("2/4 texts")
        << 2 << 4
        << split("Type|Name|Material_UID|Play_Times|Display_Mode|Display_Speed(0-Fastest)|"
                 "Remain_Time(*5s)");
    QTest::newRow("2/5 time")
        << 2 << 5
        << split("Type|Name|Digital_Color|Charactor_Color|Font_Name|Font_Size|Year_Digit|"
                 "Time_Format|Display_Format|Time_Difference|Hour|Minute|Remain_Time(*5s)");
    QTest::newRow("2/6 counters")
        << 2 << 6
        << split("Type|Name|Material_UID|Digital_Color|Charactor_Color|Font_Name|Font_Size|"
                 "Time_Format|Time_Is_Accumulative|Begin_Time|End_Time|Remain_Time(*5s)");
    QTest::newRow("2/7 animation")
        << 2 << 7 << split("Type|Name|Frame_Speed|Remain_Time(*5s)|Animation_File");
    QTest::newRow("2/8 queue")
        << 2 << 8
        << split("Type|Name|Window_Address|Font_Name|Font_Size|Double-color_Match|Flash_Times|"
                 "Remain_Time(*5s)");
    QTest::newRow("2/9 acquisition")
        << 2 << 9
        << split("Type|Name|Data_Kinds|Kinds_Number|Suffix_Unit|Refresh_Time(s)|Color|Font_Name|"
                 "Font_Size|Right_column_number|Left_column_number|Remain_Time(*5s)");
    QTest::newRow("2/10 inner code")
        << 2 << 10
        << split("Type|Name|Material_UID|Digital_Color|Font_Name|Font_Size|Play_Times|"
                 "Display_Mode|Display_Speed(0-Fastest)|Remain_Time(*5s)");
    QTest::newRow("2/15 table")
        << 2 << 15 << split("Type|Name|Material_UID|Play_Times|Display_Speed(0-Fastest)");
    QTest::newRow("5/1 vertical") << 5 << 1 << split("Vertical On|Vertically|Vertical under");
    QTest::newRow("6/1 section colours")
        << 6 << 1 << split("Black|Red|Green|Yellow|Blue|Purple|Cyan|White");
    QTest::newRow("8/1 pages")
        << 8 << 1 << split("Order Num|Page ID|Show Page Name|Begin Time|End Time");
    QTest::newRow("8/2 items")
        << 8 << 2 << split("Order Num|Material ID|Material Name|Material Content");
    QTest::newRow("8/3 attributes")
        << 8 << 3
        << split("Left Title|Center Title|Right Title|Falsh Advertisement|"
                 "Not Falsh Advertisement|Text");
    QTest::newRow("10/1 interface") << 10 << 1 << split("Network|Serial Port|485");
    QTest::newRow("10/2 codes") << 10 << 2 << split("Order Num|Internal Code");
    QTest::newRow("10/3 scan") << 10 << 3 << split("Static Scan");
    QTest::newRow("10/4 brightness") << 10 << 4 << split("0 ----- Brightest|7 ----- Darkest");
    QTest::newRow("10/5 polarity") << 10 << 5 << split("1 ----- Not Inverted|2 ----- RP");
    QTest::newRow("10/6 clock") << 10 << 6 << split("12M (Default)|8M|6M");
    QTest::newRow("10/7 conversion")
        << 10 << 7
        << split("No Conversion (Default)|Combined when continue moving left|"
                 "Transform forcibly all to move left");
    QTest::newRow("10/8 rows") << 10 << 8
                               << split("Row Normal|Row + 1|Row Reverse|No 138 decoding");
    QTest::newRow("10/9 colour")
        << 10 << 9 << split("1 -- Monochrome|2 -- Dual Color|3 -- Tricolor");
    QTest::newRow("10/10 empty") << 10 << 10 << split("Black Screen|Welcome");
    QTest::newRow("11/0 fonts")
        << 11 << 0
        << split("SimSun|SimHei|Regular Script_GB2312|Clerical Script|Running Script");
    QTest::newRow("11/1 colours")
        << 11 << 1 << split("Red|Green|Yellow|Blue|Purple|Cyan|White");
    QTest::newRow("11/2 moves")
        << 11 << 2
        << split("Self-adapting|Move from right to left|Move from left to right|"
                 "Move from bottom to top|Move from top to bottom|Expand from right to left|"
                 "Expand from left to right|Expand from bottom to top|Expand from top to bottom|"
                 "Displayed immediately|Expand from the middle to both sides|"
                 "Expand from both sides to the middle|Expand from the middle to up and down|"
                 "Expand from up and down to the middle|Falsh|Right blinds|Down blinds");
    QTest::newRow("11/3 time")
        << 11 << 3 << split("Show All|YYYYMMDD|hhmmss|mmss|Week|YYYY|MM|DD|hh|mm|ss");
    QTest::newRow("11/4 count") << 11 << 4
                                << split("DDhhmmss|hhmmss|hhmm|mmss|DD|hh|mm|ss");
    QTest::newRow("11/5 display")
        << 11 << 5 << split("YYYYMMDD HHMMSS|YYYY-MM-DD HH:MM:SS|MM/DD/YYYY HH:MM:SS");
    QTest::newRow("11/6 difference") << 11 << 6 << split("Lag|Lead");
    QTest::newRow("11/7 data kinds")
        << 11 << 7
        << split("Celsius(℃)|Fahrenheit(℉)|Relative Humidity(%)|Environmental Noise(DB)|"
                 "Photoelectric Counter|External Data");
    QTest::newRow("11/8 pairings")
        << 11 << 8
        << split("Green Digit,Red Chiness|Green Digit,Yellow Chiness|Red Digit,Green Chiness|"
                 "Red Digit,Yellow Chiness|Yellow Digit,Green Chiness|Yellow Digit,Red Chiness|"
                 "First line red, other line green|First line red, other line yellow|"
                 "First line green, Other line red|First line green, Other line yellow|"
                 "First line yellow, Other line green|First line yellow, Other line red|"
                 "Last line red, other line green|Last line red, other line yellow|"
                 "Last line green, Other line red|Last line green, Other line yellow|"
                 "Last line yellow, Other line green|Last line yellow, Other line red|"
                 "Red line, green line|Green line, red line|Green line, yellow line|"
                 "All red|All green|All yellow");
    QTest::newRow("11/9 no yes") << 11 << 9 << split("No|Yes");
    QTest::newRow("11/10 year digits") << 11 << 10 << split("Four Digit|Two Digit");
    QTest::newRow("16/1 columns")
        << 16 << 1 << split("ID|Network Adapter|IP Address|Mac Address");
}

void TestSignStudioLang::englishLists()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QStringList, items);
    QCOMPARE(LangList(kind, index), items);
    // Every language has a list of the same length.
    for (int language = 0; language < 2; ++language) {
        SetLanguage(false, language);
        QCOMPARE(LangList(kind, index).size(), items.size());
    }
}

void TestSignStudioLang::simplifiedGivenTexts_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("fonts") << 11 << 0 << split("宋体|黑体|楷体_GB2312|隶书|行书");
    QTest::newRow("time formats")
        << 11 << 3 << split("年月日星期时分秒全部显示|年月日|时分秒|时分|星期|年|月|日|时|分|秒");
    QTest::newRow("display formats")
        << 11 << 5
        << split("YYYY年MM月DD日　HH时MM分SS秒|YYYY－MM－DD　HH：MM：SS|MM／DD／YYYY　HH：MM：SS");
    QTest::newRow("units") << 15 << 0 << split("年|月|星期|天|日|时|分|秒|℃|℉");
}

void TestSignStudioLang::simplifiedGivenTexts()
{
    QFETCH(int, kind);
    QFETCH(int, index);
    QFETCH(QStringList, items);
    SetLanguage(false, 0);
    QCOMPARE(LangList(kind, index), items);
    QCOMPARE(LangItem(11, 2, 4), QStringLiteral("从上向下移动;"));
    QCOMPARE(LangText(16, QStringLiteral("netWorkChoice")), QStringLiteral("网卡选择"));
}

void TestSignStudioLang::titleRowFromVersion_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("title");
    QTest::newRow("simplified") << 0 << QStringLiteral("TARVO显示屏编辑软件 V2.23");
    QTest::newRow("traditional") << 1 << QStringLiteral("TARVO顯示屏應用 V2.23");
    QTest::newRow("english") << 2 << QStringLiteral("TARVO Edit Softwear V2.23");
}

void TestSignStudioLang::titleRowFromVersion()
{
    QFETCH(int, language);
    QFETCH(QString, title);
    SetLanguage(true, language);
    const QList<rLgMap> rows = LangRows(0);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.first().key, QStringLiteral("frmMain"));
    QCOMPARE(rows.first().text, title);
    QCOMPARE(rows.last().key, QStringLiteral("sBarStatus"));
    QCOMPARE(rows.last().index, 2);
    SetProgramVersion(QStringLiteral("V9.99"));
    SetLanguage(true, language);
    QVERIFY(LangRows(0).first().text.endsWith(QLatin1String(" V9.99")));
}

void TestSignStudioLang::sameKeyDiffersByKind()
{
    for (int language = 0; language < 3; ++language) {
        SetLanguage(false, language);
        const QString editor = LangText(5, QStringLiteral("tBtnNewTxt"));
        const QString inner = LangText(7, QStringLiteral("tBtnNewTxt"));
        QVERIFY(!editor.isEmpty());
        QVERIFY(!inner.isEmpty());
        QVERIFY(editor != inner);
        QCOMPARE(LangText(3, QStringLiteral("tBtnNewTxt")), QString());
    }
    // Keys are compared exactly.
    SetLanguage(false, 2);
    QCOMPARE(LangText(5, QStringLiteral("tbtnnewtxt")), QString());
    QCOMPARE(LangText(5, QStringLiteral("tBtnNewTxt ")), QString());
}

void TestSignStudioLang::colourListAgainstKeyedColour()
{
    QCOMPARE(LangList(11, 1), split("Red|Green|Yellow|Blue|Purple|Cyan|White"));
    QCOMPARE(LangText(11, QStringLiteral("Color_Options_Aqua")), QStringLiteral("Cyan"));
    // A keyed lookup of a multi-row list gives its first row only.
    QCOMPARE(LangText(11, QStringLiteral("Time_Options")), QStringLiteral("Show All"));
    QCOMPARE(LangText(0, QStringLiteral("sBarStatus")), QStringLiteral("Current Card"));
    QCOMPARE(LangRows(0).last().text, QStringLiteral("Comm Mode"));
}

void TestSignStudioLang::playByWeekChoices_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("everyday");
    QTest::addColumn<QString>("last");
    QTest::newRow("simplified") << 0 << QStringLiteral("播放日期选中") << QStringLiteral("每天")
                                << QStringLiteral("请选择星期项进行设置！");
    QTest::newRow("traditional") << 1 << QStringLiteral("播放日期選中") << QStringLiteral("每天")
                                 << QStringLiteral("請選擇星期項進行設置！");
    QTest::newRow("english") << 2 << QStringLiteral("Select_Play_Date")
                             << QStringLiteral("everyday")
                             << QStringLiteral("Please　choice　week　items　to　set!");
}

void TestSignStudioLang::playByWeekChoices()
{
    QFETCH(int, language);
    QFETCH(QString, first);
    QFETCH(QString, everyday);
    QFETCH(QString, last);
    SetLanguage(false, language);
    const QString rowText = LangItem(2, 2, 4);
    const QStringList choices = LangChoices(2, 2, rowText);
    QCOMPARE(choices.size(), 14);
    QCOMPARE(choices.first(), first);
    QCOMPARE(choices.at(12), everyday);
    QCOMPARE(choices.last(), last);
    // The every-day value is the same text everywhere it is used.
    QCOMPARE(LangText(3, QStringLiteral("cycle_everyday")), everyday);
    QCOMPARE(LangItem(2, 2, 10), everyday);
    if (language == 2) {
        QCOMPARE(choices.mid(3, 7),
                 split("Monday|Tuesday|Wednesday|Thurday|Friday|Saturday|Sunday"));
    }
    // The row's choices belong to that row only.
    QVERIFY(LangChoices(2, 2, LangItem(2, 2, 3)).isEmpty());
    QVERIFY(LangChoices(2, 1, rowText).isEmpty());
}

void TestSignStudioLang::englishUnitWords()
{
    const QStringList units = LangList(15, 0);
    QCOMPARE(units.size(), 10);
    for (const char *k : {"Unit_Year", "Unit_Month", "Unit_Week", "Unit_Day", "Unit_Date",
                          "Unit_Hour", "Unit_Minute", "Unit_Second"})
        QCOMPARE(LangText(15, QString::fromLatin1(k)), QStringLiteral("-"));
    QCOMPARE(LangText(15, QStringLiteral("Unit_T")), QStringLiteral("℃"));
    QCOMPARE(LangText(15, QStringLiteral("Unit_F")), QStringLiteral("℉"));
}

void TestSignStudioLang::interfaceListMatchesModeTexts()
{
    // The interface list is compared with the stored mode texts, so its
    // first two entries must be the mode texts of the same language.
    for (int language = 0; language < 3; ++language) {
        SetLanguage(false, language);
        QCOMPARE(LangItem(10, 1, 0), LangText(3, QStringLiteral("comm_param_network")));
        QCOMPARE(LangItem(10, 1, 1), LangText(3, QStringLiteral("comm_param_serial_port")));
        QCOMPARE(LangItem(10, 1, 2), QStringLiteral("485"));
    }
}

void TestSignStudioLang::listLookupMisses()
{
    QVERIFY(LangList(11, 99).isEmpty());
    QVERIFY(LangList(17, 0).isEmpty());
    QVERIFY(LangList(-1, 0).isEmpty());
    QVERIFY(LangChoices(2, 2, QStringLiteral("no such row")).isEmpty());
    QCOMPARE(LangItem(11, 9, 2), QString());
    QCOMPARE(LangItem(11, 9, -1), QString());
    QCOMPARE(LangItem(11, 9, 1), QStringLiteral("Yes"));
    QCOMPARE(LangText(3, QStringLiteral("no_such_key")), QString());
    QCOMPARE(LangText(99, QStringLiteral("object_card")), QString());
    QVERIFY(SetLanguage(false, 2, 0, 0).isEmpty());
    QCOMPARE(SetLanguage(false, 2, 11, 9), split("No|Yes"));
}

void TestSignStudioLang::languageOutsideRangeSelectsNoTable()
{
    SetLanguage(true, 3);
    QCOMPARE(CurLanguage(), 3);
    QCOMPARE(CurrentLangTable(), nullptr);
    QCOMPARE(LangText(3, QStringLiteral("object_card")), QString());
    QVERIFY(LangList(11, 1).isEmpty());
    QVERIFY(LangRows(0).isEmpty());
    SetLanguage(false, 0);
    QCOMPARE(CurLanguage(), 0);
    QCOMPARE(LangText(3, QStringLiteral("object_card")), QStringLiteral("控制卡"));
}

void TestSignStudioLang::buildReplacesTable()
{
    SetLanguage(true, 1);
    const TLanguage *first = CurrentLangTable();
    QVERIFY(first);
    SetLanguage(false, 1);
    QCOMPARE(CurrentLangTable(), first);
    SetProgramVersion(QStringLiteral("V3.00"));
    SetLanguage(true, 1);
    QVERIFY(CurrentLangTable());
    QCOMPARE(CurrentLangTable()->Rows(0).first().text, QStringLiteral("TARVO顯示屏應用 V3.00"));
}

void TestSignStudioLang::startupLanguage_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("abbrev");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("simple");
    QTest::addColumn<bool>("traditional");
    QTest::newRow("english system, stored 0") << 0 << "ENU" << 2 << false << false;
    QTest::newRow("english system, stored 1") << 1 << "ENU" << 2 << false << false;
    QTest::newRow("simplified system, stored 2") << 2 << "CHS" << 2 << true << false;
    QTest::newRow("simplified system, stored 0") << 0 << "CHS" << 0 << true << false;
    QTest::newRow("singapore name, stored 1") << 1 << "ZHI" << 0 << true << false;
    QTest::newRow("taiwan, stored 0") << 0 << "CHT" << 1 << false << true;
    QTest::newRow("hong kong, stored 1") << 1 << "ZHH" << 1 << false << true;
    QTest::newRow("macau, stored 2") << 2 << "ZHM" << 2 << false << true;
    QTest::newRow("english system, stored 2") << 2 << "ENU" << 2 << false << false;
    QTest::newRow("odd stored value") << 7 << "CHT" << 1 << false << true;
    QTest::newRow("untrimmed lower case") << 0 << " chs " << 0 << true << false;
}

void TestSignStudioLang::startupLanguage()
{
    QFETCH(int, stored);
    QFETCH(QString, abbrev);
    QFETCH(int, language);
    QFETCH(bool, simple);
    QFETCH(bool, traditional);
    const StartupLanguage r = ChooseStartupLanguage(stored, abbrev);
    QCOMPARE(r.language, language);
    QCOMPARE(r.showSimpleChn, simple);
    QCOMPARE(r.showTraditionalChn, traditional);
}

void TestSignStudioLang::localeAbbrev_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("abbrev");
    QTest::newRow("zh_CN") << "zh_CN.UTF-8" << "CHS";
    QTest::newRow("zh_SG") << "zh_SG" << "CHS";
    QTest::newRow("zh_TW") << "zh_TW.UTF-8" << "CHT";
    QTest::newRow("zh_HK") << "zh_HK" << "ZHH";
    QTest::newRow("zh_MO") << "zh_MO" << "ZHM";
    QTest::newRow("en_US") << "en_US.UTF-8" << "ENU";
    QTest::newRow("en_GB") << "en_GB" << "ENG";
    QTest::newRow("C") << "C" << "ENU";
    QTest::newRow("POSIX") << "POSIX" << "ENU";
    QTest::newRow("empty") << "" << "ENU";
    QTest::newRow("de_DE") << "de_DE@euro" << "DED";
}

void TestSignStudioLang::localeAbbrev()
{
    QFETCH(QString, locale);
    QFETCH(QString, abbrev);
    QCOMPARE(LocaleLangAbbrevFor(locale), abbrev);
    // Whatever the abbreviation, a non-Chinese locale starts in English.
    if (!abbrev.startsWith(QLatin1String("CH")) && !abbrev.startsWith(QLatin1String("ZH")))
        QCOMPARE(ChooseStartupLanguage(0, LocaleLangAbbrevFor(locale)).language, 2);
}

QTEST_GUILESS_MAIN(TestSignStudioLang)
#include "tst_sslang.moc"
