#include "LabelFit.h"

LabelRect FitLabelRect(LabelRect r, long textWidth, long textHeight,
                       bool bCenterImage, bool bCenter, bool bRight)
{
    if (bCenterImage) {
        long d = ((r.bottom - r.top) - textHeight) / 2;
        r.top += d;
        r.bottom -= d;
    } else {
        r.bottom = r.top + textHeight;
    }

    if (bCenter) {
        long d = ((r.right - r.left) - textWidth) / 2;
        r.left += d;
        r.right -= d;
    } else if (bRight) {
        r.left = r.right - textWidth;
    } else {
        r.right = r.left + textWidth;
    }
    return r;
}
