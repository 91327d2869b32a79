#pragma once
// A contact sheet of the written skin files: per style a preview of the
// pictures put together as the controls draw them, then every picture
// enlarged with its name.
#include "Inventory.h"

#include <QString>

// Reads each picture back from folder and writes the sheet as a PNG.
bool WriteContactSheet(const std::vector<SkinPicture> &pictures, const QString &folder, const QString &sheetPath);
