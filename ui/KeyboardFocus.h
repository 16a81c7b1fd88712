#pragma once
// Arrow keys move within a list, never from one button to the next: a button's arrow key
// would move the focus to its neighbour, where Space then presses it, and next to Delete or
// Cancel that drops data. Tab moves between controls.
#include "ui/shared/ListKeys.h"

class QWidget;

namespace ui {

bool IsArrowKey(int key);
// A Qt key as the lists' keyboard rules know it.
shared::ListKey ListKeyOf(int key);

// The push buttons below `root` (those there now) keep the focus on arrow keys.
void KeepArrowKeysOffButtons(QWidget* root);

}  // namespace ui
