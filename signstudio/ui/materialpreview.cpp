#include "signstudio/ui/materialpreview.h"

#include "signstudio/model/fodder.h"
#include "signstudio/render/textlayout.h"
#include "signstudio/render/timetext.h"

#include <QImageReader>

QImage MaterialPreview(const TFodder &f, const QSize &size)
{
    if (size.width() <= 0 || size.height() <= 0)
        return QImage();
    switch (f.Kind) {
    case fkSingleText:
    case fkMultiText: {
        if (f.Content.isEmpty())
            return QImage();
        const LayoutChoice choice = ChooseLayout(f.Kind, f.DisplayMode, f.StayTime);
        return RenderToImage(size.width(), size.height(), f.Content, f.Kind == fkMultiText ? 1 : 0,
                             f.YAxisPos, f.VerAlign, f.RowSpan, int(choice.RichKind));
    }
    case fkPictureGroup:
    case fkTable:
    case fkAnimation: {
        const QString file = f.Kind == fkAnimation
                                 ? f.Content
                                 : (f.PictureFiles.isEmpty() ? QString() : f.PictureFiles.first().FileName);
        if (file.isEmpty())
            return QImage();
        QImageReader reader(file);
        return reader.read();
    }
    case fkTime:
    case fkCountUp:
    case fkCountDown: {
        const QDateTime moment = f.Kind == fkTime ? TimeTextNow() : ParseMoment(f.Content);
        const QString text = TimeText(f.Kind, f.DigitColor, f.CharColor, f.VerAlign, f.OptionCode == 1,
                                      f.FontSizeCode, f.FontCode, f.FormatCode, f.FormatCode2, moment);
        return RenderToImage(size.width(), size.height(), text, 2, 0, 0, 0, 0);
    }
    case fkRealTime: {
        const QString text = DataText(f.Content, f.DigitColor, f.CharColor, f.FontSizeCode,
                                      f.FontCode, f.FormatCode2);
        return RenderToImage(size.width(), size.height(), text, 2, 0, 0, 0, 0);
    }
    default:
        return QImage();
    }
}
