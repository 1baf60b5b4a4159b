#include "signstudio/model/fodderkind.h"

namespace {

const TFodderKindInfo kKinds[kFodderKindCount] = {
    {fkSingleText, "actSglTxt", "material_single_text", "material_single_text", "pnSglTxt", tcPicture, 1, 4},
    {fkMultiText, "actMulText", "material_multi_text", "material_multi_text", "pnMulTxt", tcPicture, 1, 4},
    {fkPictureGroup, "actPicture", "material_image_group", "material_image_group", "pnImg", tcPicture, 1, 4},
    {fkTable, "actTable", "material_table", "material_table", "pnTbl", tcPicture, 1, 4},
    {fkTime, "actDateTime", "material_time", "material_time", "pnDT", tcTime, 1, 9},
    {fkRemoteText, "actTxtSet", "material_remote_text", "material_remote_text", "pnTxtSet", tcRemoteText, 1, 5},
    {fkQueue, "actCallNo", "material_window_no", "material_call_no", "pnQu", tcQueue, 8, 0},
    {fkCountUp, "actAddTime", "material_is_time", "material_is_time", "pnAT", tcCountUp, 1, 7},
    {fkCountDown, "actDelTime", "material_count_down", "material_count_down", "pnDelT", tcCountDown, 1, 7},
    {fkInnerCode, "actInnerInfo", "material_code_text", "material_code_text", "pnInner", tcInnerCode, 1, 8},
    {fkRealTime, "actCollectData", "material_real_time_acquisition", "material_real_time_acquisition",
     "pnCData", tcRealTime, 1, 1},
    {fkAnimation, "actMovie", "material_animation", "material_animation", "pnMovie", tcAnimation, 10, 3},
};

} // namespace

bool IsValidFodderKind(int kind)
{
    return kind >= 0 && kind < kFodderKindCount;
}

const TFodderKindInfo &FodderKindInfo(int kind)
{
    return kKinds[IsValidFodderKind(kind) ? kind : 0];
}
