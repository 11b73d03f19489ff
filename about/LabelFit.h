// Sizing a text label to its text while keeping its alignment.
#pragma once

struct LabelRect
{
    long left, top, right, bottom;
};

// r: the label's rectangle in its parent's client coordinates. Vertical:
// with bCenterImage the edges move in by (height - textHeight) / 2 each,
// otherwise bottom = top + textHeight. Horizontal: bCenter moves both edges
// in by (width - textWidth) / 2, else bRight sets left = right - textWidth,
// else right = left + textWidth. Halvings truncate toward zero.
LabelRect FitLabelRect(LabelRect r, long textWidth, long textHeight,
                       bool bCenterImage, bool bCenter, bool bRight);
