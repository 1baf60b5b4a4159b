#include "signstudio/ui/propertyrows.h"

#include "signstudio/lang/langtext.h"
#include "signstudio/model/fodderkind.h"
#include "signstudio/ui/editrules.h"
#include "signstudio/ui/picklists.h"

using namespace EditRules;

namespace {

// English row names, used when the language tables lack a list.
QStringList englishRowNames(int index)
{
    auto l = [](const char *text) { return QString::fromLatin1(text).split(QLatin1Char('|')); };
    switch (index) {
    case 1: return l("Type|Name|Width|Height|Screen_Color|Comm_Mode|Card_Internal_Code|Card_Version|Program_File");
    case 11: return l("Server_Port|Card_IP");
    case 12: return l("Serial|Baud_Rate");
    case 2: return l("Type|Name|Play_Start_Time|Play_Stop_Time|Play_By_Week|Play_By_Date|Play Before Date|Play After Date| Before| After|everyday|Note: Two or more display pages fit the setting");
    case 3: return l("Type|Name|X_Coordinate|Y_Coordinate|Pixels_Width|Pixels_Height");
    case 4: return l("Type|Name|Material_UID|Play_Times|Display_Mode|Display_Speed(0-Fastest)|Remain_Time(*5s)");
    case 5: return l("Type|Name|Digital_Color|Charactor_Color|Font_Name|Font_Size|Year_Digit|Time_Format|Display_Format|Time_Difference|Hour|Minute|Remain_Time(*5s)");
    case 6: return l("Type|Name|Material_UID|Digital_Color|Charactor_Color|Font_Name|Font_Size|Time_Format|Time_Is_Accumulative|Begin_Time|End_Time|Remain_Time(*5s)");
    case 7: return l("Type|Name|Frame_Speed|Remain_Time(*5s)|Animation_File");
    case 8: return l("Type|Name|Window_Address|Font_Name|Font_Size|Double-color_Match|Flash_Times|Remain_Time(*5s)");
    case 9: return l("Type|Name|Data_Kinds|Kinds_Number|Suffix_Unit|Refresh_Time(s)|Color|Font_Name|Font_Size|Right_column_number|Left_column_number|Remain_Time(*5s)");
    case 10: return l("Type|Name|Material_UID|Digital_Color|Font_Name|Font_Size|Play_Times|Display_Mode|Display_Speed(0-Fastest)|Remain_Time(*5s)");
    case 15: return l("Type|Name|Material_UID|Play_Times|Display_Speed(0-Fastest)");
    default: return {};
    }
}

int rowNameIndexOfKind(int kind)
{
    switch (kind) {
    case fkTable: return 15;
    case fkTime: return 5;
    case fkQueue: return 8;
    case fkCountUp:
    case fkCountDown: return 6;
    case fkInnerCode: return 10;
    case fkRealTime: return 9;
    case fkAnimation: return 7;
    default: return 4;
    }
}

QString entry(const QStringList &list, int i)
{
    return i >= 0 && i < list.size() ? list.at(i) : QString();
}

QString spaceToFullWidth(QString s)
{
    return s.replace(QLatin1Char(' '), QChar(0x3000));
}

} // namespace

TPropertyRows::TPropertyRows(TProject &project)
    : m_project(project)
{
}

QStringList TPropertyRows::rowNames(int index) const
{
    const QStringList english = englishRowNames(index);
    const QStringList names = LangList(2, index);
    return names.size() >= english.size() ? names : english;
}

QStringList TPropertyRows::optionList(int n) const
{
    if (n == 0)
        return fontList();
    return LangList(11, n);
}

TFIXModem *TPropertyRows::card() const
{
    return m_project.FindCard(m_cardName);
}

QStringList TPropertyRows::fontList() const
{
    const TFIXModem *c = card();
    const int count = c ? c->FontCountShown : 5;
    return LangList(11, 0).mid(0, qMax(0, count));
}

int TPropertyRows::matrixCount() const
{
    const TFIXModem *c = card();
    return c ? c->FontCount : 8;
}

QString TPropertyRows::EveryDayText() const
{
    return rowNames(2).value(10);
}

QString TPropertyRows::NoteText() const
{
    return rowNames(2).value(11);
}

QStringList TPropertyRows::DatePositionTexts() const
{
    const QStringList n = rowNames(2);
    return {n.value(10), n.value(6), n.value(7)};
}

void TPropertyRows::Clear()
{
    m_level = TSelection::None;
    m_cardName.clear();
    m_page = nullptr;
    m_region = nullptr;
    m_fodder = nullptr;
    m_rows.clear();
}

void TPropertyRows::Show(const TSelection &s)
{
    switch (s.level) {
    case TSelection::Card: ShowCard(s.cardName); break;
    case TSelection::Page: ShowPage(s.page); break;
    case TSelection::Region: ShowRegion(s.region); break;
    case TSelection::Material: ShowFodder(s.fodder); break;
    default: Clear(); break;
    }
}

void TPropertyRows::Refresh()
{
    switch (m_level) {
    case TSelection::Card: ShowCard(m_cardName); break;
    case TSelection::Page: ShowPage(m_page); break;
    case TSelection::Region: ShowRegion(m_region); break;
    case TSelection::Material: ShowFodder(m_fodder); break;
    default: Clear(); break;
    }
}

void TPropertyRows::ShowCard(const QString &cardName)
{
    Clear();
    m_level = TSelection::Card;
    m_cardName = cardName;
    const QStringList names = rowNames(1);
    const TFIXModem *c = card();
    const TCommInfo comm = CommInfo ? CommInfo() : TCommInfo();
    const QStringList link = rowNames(comm.rs232 ? 12 : 11);
    const QSize size = m_project.ScreenSizeOf(cardName);
    auto add = [this](const QString &key, const QString &value, bool ro = true) {
        TGridRow r;
        r.key = key;
        r.value = value;
        r.readOnly = ro;
        m_rows.append(r);
    };
    add(names.value(0), LangText(3, QStringLiteral("object_card")));
    add(names.value(1), cardName, false);
    add(names.value(2), QString::number(c ? c->ScreenWidth : size.width()));
    add(names.value(3), QString::number(c ? c->ScreenHeight : size.height()));
    const int colour = c ? c->ColourCode : 56;
    add(names.value(4), LangText(3, colour == 56   ? QStringLiteral("color_single")
                                    : colour == 57 ? QStringLiteral("color_dual")
                                                   : QStringLiteral("color_tricolor")));
    add(names.value(5), comm.commMode);
    const QString code = c ? c->InnerCode : QString();
    const QString version = c ? QString::number(c->FirmwareVersion) : QString();
    if (comm.rs232) {
        add(link.value(0), comm.param01);
        add(link.value(1), comm.param02);
        add(names.value(6), code);
        add(names.value(7), version);
    } else {
        add(link.value(0), comm.param02);
        add(names.value(6), code);
        add(link.value(1), c ? c->IpAddress : QString());
        add(names.value(7), version);
    }
    add(names.value(8), spaceToFullWidth(c ? c->ProgramFile : QString()));
}

void TPropertyRows::ShowPage(TProgram *page)
{
    Clear();
    if (!page)
        return;
    m_level = TSelection::Page;
    m_page = page;
    m_cardName = page->CardName;
    const QStringList names = rowNames(2);
    QString dateValue;
    if (page->DateMode == dmBeforeDate)
        dateValue = page->PlayDate + names.value(8);
    else if (page->DateMode == dmAfterDate)
        dateValue = page->PlayDate + names.value(9);
    else
        dateValue = names.value(10);
    const QStringList values = {LangText(3, QStringLiteral("object_page")), page->PageName,
                                page->StartTime, page->EndTime, page->WeekDays, dateValue};
    for (int i = 0; i < 6; ++i) {
        TGridRow r;
        r.key = names.value(i);
        r.value = values.at(i);
        // Week days and play date are chosen through their dialogs only.
        r.readOnly = i == 0 || i == 4 || i == 5;
        r.ellipsis = i == 4 || i == 5;
        m_rows.append(r);
    }
}

void TPropertyRows::ShowRegion(TRegion *region)
{
    Clear();
    if (!region)
        return;
    m_level = TSelection::Region;
    m_region = region;
    m_cardName = region->CardName;
    m_page = m_project.PageOfRegion(region);
    const QStringList names = rowNames(3);
    const QStringList values = {LangText(3, QStringLiteral("object_area")), region->RegionName,
                                QString::number(region->Left), QString::number(region->Top),
                                QString::number(region->Width), QString::number(region->Height)};
    for (int i = 0; i < 6; ++i) {
        TGridRow r;
        r.key = names.value(i);
        r.value = values.at(i);
        r.readOnly = i == 0;
        m_rows.append(r);
    }
}

QList<TPropertyRows::Field> TPropertyRows::FodderFields(int kind)
{
    switch (kind) {
    case fkSingleText:
    case fkMultiText:
    case fkPictureGroup:
        return {fType, fName, fUID, fPlayTimes, fDisplayMode, fSpeed, fStay};
    case fkTable:
        return {fType, fName, fUID, fPlayTimes, fSpeed};
    case fkTime:
        return {fType, fName, fDigitColor, fCharColor, fFont, fSize, fYearDigit, fTimeFormat,
                fDisplayFormat, fTimeDiff, fHour, fMinute, fStay};
    case fkQueue:
        return {fType, fName, fWindowAddress, fFont, fSize, fDoubleColor, fFlashTimes, fStay};
    case fkCountUp:
    case fkCountDown:
        return {fType, fName, fUID, fDigitColor, fCharColor, fFont, fSize, fCountFormat,
                fAccumulative, fCountTime, fStay};
    case fkInnerCode:
        return {fType, fName, fUID, fInnerColor, fFont, fSize, fPlayTimes, fDisplayMode, fSpeed,
                fStay};
    case fkRealTime:
        return {fType, fName, fDataKind, fKindsNumber, fSuffix, fRefresh, fRtColor, fFont, fSize,
                fRightColumn, fLeftColumn, fStay};
    case fkAnimation:
        return {fType, fName, fFrameSpeed, fStay, fAnimationFile};
    default: // remote text
        return {fType, fName};
    }
}

QString TPropertyRows::FodderPickSpec(const TFodder *f) const
{
    const QString sizes = SizeList(matrixCount()).join(QLatin1Char(';'));
    switch (f->Kind) {
    case fkSingleText:
    case fkMultiText:
    case fkPictureGroup:
        return QStringLiteral("4;2,5;0;1;2;3;4;5;6;7;8");
    case fkTable:
        return QStringLiteral("4;0;1;2;3;4;5;6;7;8");
    case fkTime:
        return QStringLiteral("2;1,3;1,4;0,5;") + sizes + QStringLiteral(",6;10,7;3,8;5,9;6");
    case fkQueue:
        return QStringLiteral("3;0,4;") + sizes + QStringLiteral(",5;8");
    case fkCountUp:
    case fkCountDown:
        return QStringLiteral("3;1,4;1,5;0,6;") + sizes + QStringLiteral(",7;4,8;9");
    case fkInnerCode:
        return QStringLiteral("3;1,4;0,5;") + sizes + QStringLiteral(",7;2,8;0;1;2;3;4;5;6;7;8");
    case fkRealTime:
        return QStringLiteral("2;7,3;") + KindsNumbers(f->FormatCode2 - 1).join(QLatin1Char(';'))
               + QStringLiteral(";,6;1,7;0,8;") + sizes
               + QStringLiteral(",9;0;1;2;3;4;5;6;7,10;0;1;2;3;4;5;6;7");
    default:
        return QString();
    }
}

QString TPropertyRows::fieldText(const TFodder *f, Field field, const QStringList &pick) const
{
    switch (field) {
    case fType:
        return LangText(3, QLatin1String(FodderKindInfo(f->Kind).TypeNameKey));
    case fName: return f->FodderName;
    case fUID: return f->FodderUID;
    case fPlayTimes: return QString::number(f->PlayTimes);
    case fDisplayMode: return entry(pick, f->DisplayMode);
    case fSpeed:
    case fFlashTimes:
    case fFrameSpeed: return QString::number(f->DisplaySpeed);
    case fStay: return QString::number(f->StayTime);
    case fDigitColor:
    case fRtColor: return entry(pick, f->DigitColor - 1);
    case fCharColor:
    case fInnerColor:
    case fDoubleColor: return entry(pick, f->CharColor - 1);
    case fFont: return entry(pick, FontIndexOfCode(f->FontCode));
    case fSize: return MatrixText(f->FontSizeCode);
    case fYearDigit: return entry(pick, f->VerAlign);
    case fTimeFormat: return entry(pick, f->FormatCode - 1);
    case fCountFormat: return entry(pick, CountFormatIndexOfCode(f->FormatCode));
    case fDisplayFormat:
    case fDataKind: return entry(pick, f->FormatCode2 - 1);
    case fTimeDiff:
    case fAccumulative: return entry(pick, f->OptionCode);
    case fHour:
    case fRightColumn: return QString::number(f->Number1);
    case fMinute:
    case fLeftColumn: return QString::number(f->Number2);
    case fWindowAddress: return QString::number(f->FormatCode2);
    case fCountTime: return spaceToFullWidth(f->Content);
    case fKindsNumber: return QString::number(f->FormatCode);
    case fSuffix: return f->Content;
    case fRefresh: return QString::number(f->OptionCode);
    case fAnimationFile: return f->Content;
    }
    return QString();
}

void TPropertyRows::applyPickLists(const QString &listText)
{
    const QMap<int, QStringList> lists =
        ResolvePickLists(listText, [this](int n) { return optionList(n); });
    for (auto it = lists.cbegin(); it != lists.cend(); ++it) {
        if (it.key() < m_rows.size()) {
            m_rows[it.key()].pickList = it.value();
            m_rows[it.key()].hasPickList = true;
        }
    }
}

void TPropertyRows::ShowFodder(TFodder *fodder)
{
    Clear();
    if (!fodder)
        return;
    m_level = TSelection::Material;
    m_fodder = fodder;
    m_cardName = fodder->CardName;
    m_region = m_project.RegionOfFodder(fodder);
    m_page = m_region ? m_project.PageOfRegion(m_region) : nullptr;
    const QList<Field> fields = FodderFields(fodder->Kind);
    const QStringList names = rowNames(rowNameIndexOfKind(fodder->Kind));
    for (int i = 0; i < fields.size(); ++i) {
        TGridRow r;
        // Count-up and count-down: row 9 is Begin_Time or End_Time, row 10
        // the last entry.
        int nameIndex = i;
        if (fodder->Kind == fkCountDown && i >= 9)
            nameIndex = i + 1;
        else if (fodder->Kind == fkCountUp && i == 10)
            nameIndex = 11;
        r.key = names.value(nameIndex);
        r.readOnly = i == 0;
        r.ellipsis = fields.at(i) == fCountTime || fields.at(i) == fAnimationFile;
        m_rows.append(r);
    }
    applyPickLists(FodderPickSpec(fodder));
    for (int i = 0; i < fields.size(); ++i)
        m_rows[i].value = fieldText(fodder, fields.at(i), m_rows.at(i).pickList);
}

int TPropertyRows::indexIn(int row, const QString &text) const
{
    if (row < 0 || row >= m_rows.size())
        return -1;
    return int(m_rows.at(row).pickList.indexOf(text));
}

TEditOutcome TPropertyRows::Edit(int row, const QString &text)
{
    TEditOutcome out;
    if (row < 0 || row >= m_rows.size())
        return out;
    if (m_rows.at(row).readOnly)
        return out;
    m_rows[row].value = text;
    if (row == 1)
        return rename(text);
    switch (m_level) {
    case TSelection::Page: return editPage(row, text);
    case TSelection::Region: return editRegion(row, text);
    case TSelection::Material: return editFodder(row, text);
    default: return out;
    }
}

TEditOutcome TPropertyRows::rename(const QString &text)
{
    TEditOutcome out;
    const QString name = text.trimmed();
    QString before;
    QString after;
    switch (m_level) {
    case TSelection::Card:
        before = m_cardName;
        if (name.isEmpty() || name == before)
            break;
        if (m_project.FindCard(before)) {
            after = m_project.RenameCard(before, name);
        } else {
            after = name; // a card node without card object: only its text
        }
        m_cardName = after;
        break;
    case TSelection::Page:
        before = m_page->PageName;
        after = m_project.RenamePage(m_page, name);
        break;
    case TSelection::Region:
        before = m_region->RegionName;
        after = m_project.RenameRegion(m_region, name);
        break;
    case TSelection::Material:
        before = m_fodder->FodderName;
        after = m_project.RenameFodder(m_fodder, name);
        break;
    default:
        return out;
    }
    out.applied = true;
    if (!after.isEmpty() && after != before) {
        out.renamed = true;
        out.oldName = before;
        out.newName = after;
        m_rows[1].value = after;
        out.rewritten << 1;
    }
    return out;
}

TEditOutcome TPropertyRows::editPage(int row, const QString &text)
{
    TEditOutcome out;
    if (m_rows.size() != 6 || !m_page)
        return out;
    if (row == 2 || row == 3) {
        const QString value = NormaliseTime(text, row == 2 ? QStringLiteral("00:00")
                                                           : QStringLiteral("24:00"));
        (row == 2 ? m_page->StartTime : m_page->EndTime) = value;
        m_rows[row].value = value;
        out.rewritten << row;
        m_project.MarkModified(m_page->CardName);
        out.applied = true;
    }
    return out;
}

TEditOutcome TPropertyRows::editRegion(int row, const QString &text)
{
    TEditOutcome out;
    if (m_rows.size() != 6 || !m_region || row < 2 || row > 5)
        return out;
    const QSize page = m_project.ScreenSizeOf(m_region->CardName);
    const QRect r = ApplyRegionRow(row, text,
                                   QRect(m_region->Left, m_region->Top, m_region->Width,
                                         m_region->Height),
                                   page.width(), page.height());
    m_region->Left = r.left();
    m_region->Top = r.top();
    m_region->Width = r.width();
    m_region->Height = r.height();
    m_rows[2].value = QString::number(r.left());
    m_rows[3].value = QString::number(r.top());
    m_rows[4].value = QString::number(r.width());
    m_rows[5].value = QString::number(r.height());
    out.rewritten << 2 << 3 << 4 << 5;
    out.boundsChanged = true;
    out.applied = true;
    m_project.MarkModified(m_region->CardName);
    return out;
}

TEditOutcome TPropertyRows::editFodder(int row, const QString &text)
{
    TEditOutcome out;
    TFodder *f = m_fodder;
    if (!f)
        return out;
    const QList<Field> fields = FodderFields(f->Kind);
    if (m_rows.size() != fields.size() || row >= fields.size())
        return out;
    const int index = indexIn(row, text);
    const int stayDefault = f->Kind <= fkPictureGroup ? 5 : 1;
    auto stay = [&](int def, int &target) {
        const StayValue s = ReadStay(text, def);
        target = s.value;
        if (!s.written.isEmpty()) {
            m_rows[row].value = s.written;
            out.rewritten << row;
        }
    };
    switch (fields.at(row)) {
    case fType:
    case fName:
        return out;
    case fUID:
        f->FodderUID = FormatUid(text);
        break;
    case fPlayTimes: f->PlayTimes = ReadInt(text, 1); break;
    case fDisplayMode: f->DisplayMode = index; break;
    case fSpeed: f->DisplaySpeed = ReadInt(text, 3); break;
    case fStay: stay(stayDefault, f->StayTime); break;
    case fDigitColor: f->DigitColor = index + 1; break;
    case fCharColor:
    case fInnerColor:
    case fDoubleColor: f->CharColor = index + 1; break;
    case fFont: f->FontCode = FontCodeOfIndex(index); break;
    case fSize: {
        const int code = MatrixCodeOfText(text);
        if (code >= 0)
            f->FontSizeCode = code;
        break;
    }
    case fYearDigit: f->VerAlign = index; break;
    case fTimeFormat: f->FormatCode = index + 1; break;
    case fCountFormat: f->FormatCode = CountFormatCodeOfIndex(index); break;
    case fDisplayFormat: f->FormatCode2 = index + 1; break;
    case fTimeDiff:
    case fAccumulative: f->OptionCode = index; break;
    case fHour: f->Number1 = ReadInt(text, 0); break;
    case fMinute: f->Number2 = ReadInt(text, 0); break;
    case fWindowAddress: f->FormatCode2 = ReadInt(text, 1); break;
    case fFlashTimes: f->DisplaySpeed = ReadInt(text, 8); break;
    case fCountTime: {
        QString v = text;
        f->Content = v.replace(QChar(0x3000), QLatin1Char(' '));
        break;
    }
    case fDataKind: {
        f->FormatCode2 = index + 1;
        const int kindsRow = 3;
        const QStringList numbers = KindsNumbers(index);
        m_rows[kindsRow].pickList = numbers;
        m_rows[kindsRow].hasPickList = true;
        m_rows[kindsRow].value = numbers.value(0);
        f->FormatCode = ReadInt(numbers.value(0), 1);
        out.rewritten << kindsRow;
        break;
    }
    case fKindsNumber: f->FormatCode = ReadInt(text, 1); break;
    case fSuffix: f->Content = text.left(8); break;
    case fRefresh: f->OptionCode = ReadInt(text, 0); break;
    case fRtColor:
        f->DigitColor = index + 1;
        f->CharColor = index + 1;
        break;
    case fRightColumn: stay(0, f->Number1); break;
    case fLeftColumn: stay(0, f->Number2); break;
    case fFrameSpeed: f->DisplaySpeed = ReadInt(text, 1); break;
    case fAnimationFile: f->Content = text; break;
    }
    out.applied = true;
    out.previewChanged = true;
    m_project.MarkModified(f->CardName);
    return out;
}

TEditOutcome TPropertyRows::SetPageWeekDays(const QString &value, bool byWeek)
{
    TEditOutcome out;
    if (m_level != TSelection::Page || !m_page || m_rows.size() != 6)
        return out;
    m_page->DateMode = dmEveryDay;
    if (byWeek) {
        m_page->DateMode = dmWeekDays;
        m_page->PlayDate.clear();
        m_rows[5].value = EveryDayText();
        out.rewritten << 5;
    }
    m_page->WeekDays = value;
    m_rows[4].value = value;
    out.rewritten << 4;
    out.applied = true;
    m_project.MarkModified(m_page->CardName);
    return out;
}

TEditOutcome TPropertyRows::SetPagePlayDate(int position, const QString &moment)
{
    TEditOutcome out;
    if (m_level != TSelection::Page || !m_page || m_rows.size() != 6 || position < 0
        || position > 2)
        return out;
    const QStringList names = rowNames(2);
    m_page->DateMode = position - 1;
    if (position == 0) {
        m_page->PlayDate.clear();
        m_rows[5].value = EveryDayText();
    } else {
        m_page->PlayDate = moment;
        m_rows[5].value = moment + names.value(position == 1 ? 8 : 9);
    }
    m_page->WeekDays = EveryDayText();
    m_rows[4].value = EveryDayText();
    out.rewritten << 4 << 5;
    out.applied = true;
    m_project.MarkModified(m_page->CardName);
    return out;
}
