#include "core/PaneLook.h"

#include <QCoreApplication>

Result<PaneLook> paneLookFrom(const Variables& v) {
    const Result<qint32> color = v.DialogBackColor.toInt32();
    const Result<double> size = v.FontSize.toNumber();
    const Result<bool> bold = v.FontBold.toBool();
    const Result<bool> italic = v.FontItalic.toBool();
    const Result<bool> underline = v.FontUnderline.toBool();
    for (const QString& error : {color.error(), size.error(), bold.error(), italic.error(), underline.error()})
        if (!error.isEmpty())
            return Failure{error};
    if (*color < 0 || *color > 0xFFFFFF)
        return Failure{QCoreApplication::translate("PaneLook", "Цвет %1 не умещается в 24 бита.")
                           .arg(v.DialogBackColor.toFileText())};
    PaneLook look;
    look.BackColor = quint32(*color);
    look.FontName = v.FontName;
    // The size is a single-precision number in the file's world; a size no font can take is as unusable as text.
    look.FontSize = double(float(*size));
    if (!(look.FontSize > 0 && look.FontSize <= 2048))
        return Failure{
            QCoreApplication::translate("PaneLook", "Размер шрифта %1 невозможен.").arg(v.FontSize.toFileText())};
    look.FontBold = *bold;
    look.FontItalic = *italic;
    look.FontUnderline = *underline;
    return Success{look};
}
