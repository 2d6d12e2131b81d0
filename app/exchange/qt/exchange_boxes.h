// The choices the import and the export window share: the CSV separator and the text encoding.
#pragma once

#include "csv_text.h"

class QComboBox;
class QWidget;

namespace kvt {

// A list box known by its name.
QComboBox* namedBox(QWidget* parent, const char* name);

// "Punto y coma (;)" first, then "Coma (,)"; separatorOf gives the chosen character.
QComboBox* separatorBox(QWidget* parent, const char* name);
char separatorOf(const QComboBox* box);

// "Windows-1252" first, then UTF-8 under that text; encodingOf gives the chosen encoding.
QComboBox* encodingBox(QWidget* parent, const char* name, const char* utf8);
TextEncoding encodingOf(const QComboBox* box);

}  // namespace kvt
