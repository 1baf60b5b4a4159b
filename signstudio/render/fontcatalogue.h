#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

// Maps the font names cards and materials use to fonts installed on this
// machine, so that layout and previews are the same everywhere.
//
//   card / material name                         installed family
//   "宋体", "新宋体", "SimSun", "NSimSun"            AR PL UMing CN
//   "細明體", "新細明體", "MingLiU", "PMingLiU"       AR PL UMing TW
//   "楷体_GB2312", "楷体", "KaiTi", "KaiTi_GB2312"   AR PL UKai CN
//   "標楷體", "DFKai-SB"                            AR PL UKai TW
//   "黑体", "SimHei", "微软雅黑", "Microsoft YaHei"   WenQuanYi Zen Hei
//   "隶书", "LiSu", "行书", "华文行楷", "STXingkai"    AR PL UKai CN (closest brush face)
//   "Arial", "Tahoma", "Verdana", "Helvetica"      DejaVu Sans
//   "Times New Roman"                              DejaVu Serif
//   "Courier New"                                  DejaVu Sans Mono
//
// Any other name is used as it stands when such a family is installed; else
// the first installed family of FallbackFamilies(). Glyphs missing from the
// chosen family are taken from the fallback families in that order.
// All of these come from the Debian packages scripts/setup.sh installs.
namespace FontCatalogue {

// WenQuanYi Zen Hei, AR PL UMing CN, AR PL UKai CN, WenQuanYi Micro Hei, DejaVu Sans.
QStringList FallbackFamilies();

// The installed family used for a card or material font name.
QString InstalledFamily(const QString &faceName);

// Pixel height of a point size on the 96 dpi page the card pixels are laid
// out on (rounded as the system's font height conversion does).
int PixelSizeForPoints(int pointSize);

// Style flags: 1 bold, 2 italic, 4 underline, 8 strikeout.
enum Style { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

// The font for drawing and measuring: every pixel fully on or off
// (no antialiasing), no kerning, fixed hinting.
QFont CardFont(const QString &faceName, int pointSize, int styleFlags = 0);

} // namespace FontCatalogue
