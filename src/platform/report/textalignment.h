#pragma once

#include "preparedreport.h"
#include "textlayout.h"

namespace report {

// A text object's alignment in the terms of the shared text layout, which
// the printed sheet and the PDF export both place their text by. A block
// (justified) text is laid out flush left.
inline pdf::TextAlign layoutAlign(HAlign align)
{
    switch (align) {
    case HAlign::Right:
        return pdf::TextAlign::Right;
    case HAlign::Center:
        return pdf::TextAlign::Center;
    case HAlign::Left:
    case HAlign::Block:
        break;
    }
    return pdf::TextAlign::Left;
}

inline pdf::VerticalAlign layoutAlign(VAlign align)
{
    switch (align) {
    case VAlign::Bottom:
        return pdf::VerticalAlign::Bottom;
    case VAlign::Center:
        return pdf::VerticalAlign::Center;
    case VAlign::Top:
        break;
    }
    return pdf::VerticalAlign::Top;
}

} // namespace report
