#pragma once

class QLabel;

// The windows keep their designed sizes; where the desktop's font is wider than the design
// allowed for, a label's font is made just small enough for its caption to show whole.
void fitCaption(QLabel* label);
