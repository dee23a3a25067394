#pragma once

#include "core/Result.h"
#include "core/Variables.h"

// The pane's look as the options give it, already converted: colour packed with red in the lowest byte.
struct PaneLook {
    quint32 BackColor = 0;
    QString FontName;
    double FontSize = 0;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
};

// Converts the colour and font options; fails when one of them cannot serve.
Result<PaneLook> paneLookFrom(const Variables& v);
