// The colours the skin must show, written as RGB triples, apart from the program's own tables:
// the tests compare the painted pixels with these.
#pragma once

#include <windows.h>

// Corner colours of a gradient: top-left, top-right, bottom-left, bottom-right.
using Corners = COLORREF[4];

inline const Corners kFaceRows[7] = {
    {RGB(209, 204, 193), RGB(209, 204, 193), RGB(242, 241, 238), RGB(242, 241, 238)},
    {RGB(255, 240, 207), RGB(255, 240, 207), RGB(229, 151, 0), RGB(229, 151, 0)},
    {RGB(214, 203, 189), RGB(214, 207, 198), RGB(247, 243, 239), RGB(247, 243, 239)},
    {RGB(206, 231, 255), RGB(206, 231, 255), RGB(105, 130, 238), RGB(105, 130, 238)},
    {RGB(255, 255, 255), RGB(255, 255, 255), RGB(226, 223, 214), RGB(226, 223, 214)},
    {RGB(231, 227, 222), RGB(231, 231, 231), RGB(231, 227, 222), RGB(231, 227, 222)},
    {RGB(252, 252, 251), RGB(252, 252, 251), RGB(236, 235, 230), RGB(236, 235, 230)},
};

inline const Corners kBoxRows[3] = {
    {RGB(181, 178, 165), RGB(214, 215, 206), RGB(214, 215, 206), RGB(247, 239, 222)},
    {RGB(255, 243, 206), RGB(255, 203, 99), RGB(255, 203, 99), RGB(255, 178, 49)},
    {RGB(222, 223, 214), RGB(247, 243, 239), RGB(247, 243, 239), RGB(255, 255, 255)},
};

inline const Corners kComboButtonRows[4] = {
    {RGB(247, 243, 239), RGB(231, 231, 222), RGB(231, 227, 222), RGB(231, 227, 222)},
    {RGB(165, 174, 222), RGB(189, 203, 247), RGB(115, 130, 222), RGB(181, 199, 247)},
    {RGB(181, 199, 239), RGB(148, 174, 231), RGB(132, 162, 222), RGB(140, 166, 222)},
    {RGB(214, 227, 255), RGB(189, 203, 247), RGB(173, 195, 247), RGB(181, 199, 247)},
};

inline const Corners kComboCornerRows[4] = {
    {RGB(247, 247, 247), RGB(247, 243, 239), RGB(247, 243, 239), RGB(247, 243, 239)},
    {RGB(189, 195, 222), RGB(173, 182, 222), RGB(222, 227, 255), RGB(222, 227, 247)},
    {RGB(206, 219, 239), RGB(198, 207, 239), RGB(198, 207, 231), RGB(189, 203, 231)},
    {RGB(231, 239, 255), RGB(222, 231, 255), RGB(222, 227, 255), RGB(222, 227, 247)},
};

inline const Corners kComboInnerRows[4] = {
    {RGB(247, 247, 247), RGB(239, 239, 231), RGB(239, 235, 231), RGB(231, 231, 222)},
    {RGB(107, 142, 247), RGB(132, 150, 247), RGB(140, 158, 239), RGB(214, 223, 239)},
    {RGB(255, 255, 255), RGB(206, 227, 255), RGB(198, 223, 255), RGB(189, 219, 255)},
    {RGB(231, 235, 255), RGB(189, 207, 255), RGB(181, 203, 255), RGB(173, 203, 247)},
};

inline const COLORREF kBorderBlue = RGB(0, 60, 115);
inline const COLORREF kFlatFace = RGB(245, 244, 234);
inline const COLORREF kInnerCornerBlue = RGB(82, 125, 165);
inline const COLORREF kNeighbourBlue = RGB(123, 150, 173);
inline const COLORREF kGreyText = RGB(165, 162, 148);
inline const COLORREF kBoxBlue = RGB(24, 81, 132);
inline const COLORREF kTickGreen = RGB(33, 162, 33);
inline const COLORREF kTickGrey = RGB(206, 203, 189);
inline const COLORREF kFrameBlue = RGB(123, 158, 189);
inline const COLORREF kArrowBlue = RGB(74, 97, 132);
inline const COLORREF kArrowGrey = RGB(206, 203, 198);
