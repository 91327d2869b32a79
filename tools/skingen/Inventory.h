#pragma once
// Every skin picture with its resource name and file depth: the pictures of
// the five styles, the fixed names and the class pictures.
#include <QImage>
#include <QString>

#include <vector>

struct SkinPicture {
    QString Name;
    int Depth; // bits per pixel of the file
    QImage Image;
    int Style; // the style it belongs to, 0 for the fixed and class pictures
};

std::vector<SkinPicture> SkinPictures();
