#include "support/TestFiles.h"

#include "core/Cp1251.h"

QByteArray cp1251(const QString& text) {
    return Cp1251::encode(text);
}
