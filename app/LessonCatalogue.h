#pragma once
// The lesson catalogue shown in the main window's tree, in the tree's stored
// item form: a 32-bit count of top-level nodes, then each node depth-first as
// a record (length, image, selected image, state, overlay, data, child count,
// caption as a length byte and GBK bytes); children follow their parent.
#include "SysUtils.h"

#include <QByteArray>
#include <vector>

struct TCatalogueNode {
    String Caption;
    std::vector<TCatalogueNode> Children;
};

// The 15 top-level nodes with their 163 descendants.
std::vector<TCatalogueNode> LessonCatalogue();
// Raises Exception for a caption longer than 255 GBK bytes.
QByteArray WriteTreeNodes(const std::vector<TCatalogueNode> &Nodes);
