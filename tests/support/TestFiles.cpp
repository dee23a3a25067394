#include "TestFiles.h"

#include "Cp1251.h"

QByteArray cp1251(const QString& text) { return Cp1251::encode(text); }
