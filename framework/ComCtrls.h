#pragma once
// The common controls, one header per control family.
#include "ComCtrlsTreeView.h"
#include "ComCtrlsListView.h"
#include "ComCtrlsToolBar.h"
